#include "config/launch_settings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <string>
#include <string_view>
#include <variant>

#include "config/launch_settings_reference.h"

namespace velvane {
namespace {

// The value of the key's field in words, as the table writes defaults: a text as it is, a
// number in decimal, a switch "on" or "off".
std::string FieldWords(const LaunchSettings& s, const LaunchSettingKey& key) {
    struct Words {
        const LaunchSettings& s;
        std::string operator()(std::string LaunchSettings::*field) const { return s.*field; }
        std::string operator()(bool LaunchSettings::*field) const {
            return s.*field ? "on" : "off";
        }
        std::string operator()(std::int32_t LaunchSettings::*field) const {
            return std::to_string(s.*field);
        }
    };
    return std::visit(Words{s}, key.field);
}

}  // namespace

// Lets a failed comparison show every field instead of raw bytes.
void PrintTo(const LaunchSettings& s, std::ostream* out) {
    for (const LaunchSettingKey& key : kLaunchSettingKeys) {
        *out << key.name << "=" << FieldWords(s, key) << " ";
    }
}

namespace {

// Sets the key's field from words such as the table's defaults.
void SetField(LaunchSettings& s, const LaunchSettingKey& key, std::string_view words) {
    struct Setter {
        LaunchSettings& s;
        std::string words;
        void operator()(std::string LaunchSettings::*field) const { s.*field = words; }
        void operator()(bool LaunchSettings::*field) const { s.*field = words == "on"; }
        void operator()(std::int32_t LaunchSettings::*field) const { s.*field = std::stoi(words); }
    };
    std::visit(Setter{s, std::string(words)}, key.field);
}

// What a file without any key of the program gives: every field at the table's default, the
// button folder with its separator.
LaunchSettings Defaults() {
    LaunchSettings s;
    for (const LaunchSettingKey& key : kLaunchSettingKeys) SetField(s, key, key.defaultValue);
    s.buttonDir = NormaliseButtonDir(s.buttonDir);
    return s;
}

struct SettingsCase {
    const char* name;
    std::string file;
    std::function<void(LaunchSettings&)> changeFromDefaults;
};

TEST(ReadLaunchSettingsTest, AppliesKeysOverDefaults) {
    const SettingsCase cases[] = {
        {"empty file", "", [](LaunchSettings&) {}},
        {"autorun section only", "[autorun]\r\nopen=autostart.exe\r\nicon=disc.ico\r\n",
         [](LaunchSettings& s) { s.icon = "disc.ico"; }},
        {"icon only read from autorun", "[velvane]\nicon=wrong.ico\n", [](LaunchSettings&) {}},
        {"own keys not read from autorun", "[autorun]\nfullscreen=1\nwindowwidth=9\n",
         [](LaunchSettings&) {}},
        {"section and key case", "[VELVANE]\nFullScreen=1\n",
         [](LaunchSettings& s) { s.fullScreen = true; }},
        {"switch word stays off", "[velvane]\nfullscreen=yes\n", [](LaunchSettings&) {}},
        {"switch two is on", "[velvane]\nfullscreen=2\n",
         [](LaunchSettings& s) { s.fullScreen = true; }},
        {"switch hex one is on", "[velvane]\nfadein=0x1\n",
         [](LaunchSettings& s) { s.fadeIn = true; }},
        {"default-on switch word stays on", "[velvane]\nnoscrollbars=no\n", [](LaunchSettings&) {}},
        {"hex width", "[velvane]\nwindowwidth=0x280\n",
         [](LaunchSettings& s) { s.windowWidth = 640; }},
        {"width with unit", "[velvane]\nwindowwidth=640px\n", [](LaunchSettings&) {}},
        {"empty caption", "[velvane]\nwindowcaption=\n",
         [](LaunchSettings& s) { s.windowCaption = ""; }},
        {"quoted caption", "[velvane]\nwindowcaption=\"  My Disc  \"\n",
         [](LaunchSettings& s) { s.windowCaption = "  My Disc  "; }},
        {"border style case kept", "[velvane]\nborderstyle=None\n",
         [](LaunchSettings& s) { s.borderStyle = "None"; }},
        {"button dir gets separator", "[velvane]\nbuttondir=art\\buttons\n",
         [](LaunchSettings& s) { s.buttonDir = "art\\buttons\\"; }},
        {"button dir with slash", "[velvane]\nbuttondir=art/\n",
         [](LaunchSettings& s) { s.buttonDir = "art/"; }},
        {"button dir with backslash", "[velvane]\nbuttondir=art\\\n",
         [](LaunchSettings& s) { s.buttonDir = "art\\"; }},
        {"empty button dir", "[velvane]\nbuttondir=\n",
         [](LaunchSettings& s) { s.buttonDir = ""; }},
    };
    for (const SettingsCase& c : cases) {
        LaunchSettings expected = Defaults();
        c.changeFromDefaults(expected);
        EXPECT_EQ(ReadLaunchSettingsFrom(ProfileFile::Parse(c.file)), expected) << c.name;
    }
}

// Each key, given a value other than its default in its own section, changes its own field and
// no other: a key looked for in the wrong section or a kind read the wrong way shows here.
TEST(ReadLaunchSettingsTest, EveryKeyFillsItsOwnField) {
    for (const LaunchSettingKey& key : kLaunchSettingKeys) {
        std::string value = "x y";
        std::string words = value;
        if (key.kind == SettingKind::Number) {
            value = words = "7";
        } else if (key.kind == SettingKind::Switch) {
            const bool on = key.defaultValue == "off";
            value = on ? "1" : "0";
            words = on ? "on" : "off";
        }
        LaunchSettings expected = Defaults();
        SetField(expected, key, words);
        expected.buttonDir = NormaliseButtonDir(expected.buttonDir);
        const std::string file =
            "[" + std::string(key.section) + "]\n" + std::string(key.name) + "=" + value + "\n";
        EXPECT_EQ(ReadLaunchSettingsFrom(ProfileFile::Parse(file)), expected) << file;
    }
}

// README.md's key table, from its header row to the blank line after it.
std::string ReadmeKeyTable() {
    std::ifstream in(VELVANE_README_PATH, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::size_t section = text.find("## The `autorun.inf` reference");
    const std::size_t start = text.find("\n| Key |", section);
    if (section == std::string::npos || start == std::string::npos) return {};
    const std::size_t end = text.find("\n\n", start + 1);
    return text.substr(start + 1, end == std::string::npos ? end : end - start);
}

// The README's key table is made from the table of keys; a key added, changed or dropped there
// leaves the README wrong until it is made again.
TEST(LaunchSettingsReferenceTest, ReadmeShowsTheTableOfKeys) {
    EXPECT_EQ(ReadmeKeyTable(), LaunchSettingsReference())
        << VELVANE_README_PATH << " disagrees with kLaunchSettingKeys: replace its key table with "
        << "the output of settings-reference";
}

struct ButtonDirCase {
    const char* name;
    std::string dir;
    std::string expected;
};

TEST(NormaliseButtonDirTest, EndsANonEmptyFolderInASeparator) {
    const ButtonDirCase cases[] = {
        {"empty stays empty", "", ""},
        {"plain name", "buttons", "buttons\\"},
        {"nested", "art\\buttons", "art\\buttons\\"},
        {"slash kept", "art/", "art/"},
        {"backslash kept", "art\\", "art\\"},
        {"single character", "a", "a\\"},
        {"separator alone", "\\", "\\"},
    };
    for (const ButtonDirCase& c : cases) {
        EXPECT_EQ(NormaliseButtonDir(c.dir), c.expected) << c.name;
    }
}

}  // namespace
}  // namespace velvane
