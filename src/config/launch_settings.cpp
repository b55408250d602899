#include "config/launch_settings.h"

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <utility>

#include "config/number_rules.h"

namespace velvane {
namespace {

using S = LaunchSettings;

// A number's default as the table writes it, such as "400" or "-20". Anything else is no constant
// expression, so a mistyped default stops the build.
consteval std::int32_t NumberDefault(std::string_view text) {
    const bool negative = text.starts_with('-');
    if (negative) text.remove_prefix(1);
    if (text.empty()) throw "a number default needs digits";
    std::int32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') throw "a number default is decimal";
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

consteval bool SwitchDefault(std::string_view text) {
    if (text == "on") return true;
    if (text == "off") return false;
    throw "a switch default is \"on\" or \"off\"";
}

consteval bool KindFitsField(const LaunchSettingKey& key) {
    switch (key.kind) {
        case SettingKind::Number:
            return std::holds_alternative<std::int32_t S::*>(key.field);
        case SettingKind::Switch:
            return std::holds_alternative<bool S::*>(key.field);
        default:
            return std::holds_alternative<std::string S::*>(key.field);
    }
}

// Faults the table could hold that no reading would show at once: a field of the wrong type, a
// key or a field given twice (the later key would overwrite the earlier one's value), a name in
// capitals (the disc checker compares lowered names), a shared reference row without a row above
// it or with another kind.
consteval bool KeysAreWellFormed() {
    const std::span<const LaunchSettingKey> keys = kLaunchSettingKeys;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const LaunchSettingKey& key = keys[i];
        if (!KindFitsField(key)) return false;
        for (char c : key.name) {
            if (c >= 'A' && c <= 'Z') return false;
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (keys[j].field == key.field) return false;
            if (keys[j].section == key.section && keys[j].name == key.name) return false;
        }
        if (key.effect.empty() &&
            (i == 0 || keys[i - 1].kind != key.kind || keys[i - 1].section != key.section))
            return false;
    }
    return true;
}
static_assert(KeysAreWellFormed(), "kLaunchSettingKeys holds a faulty key");

// What the reader needs of a key, with its default converted.
struct ReadKey {
    std::string_view section;
    std::string_view name;
    decltype(LaunchSettingKey::field) field;
    std::string_view textDefault;    // for every kind of text
    std::int32_t numberDefault = 0;  // for a number; for a switch 1 (on) or 0 (off)
};

consteval ReadKey ReadKeyOf(const LaunchSettingKey& key) {
    ReadKey read{key.section, key.name, key.field, {}, 0};
    if (key.kind == SettingKind::Number) {
        read.numberDefault = NumberDefault(key.defaultValue);
    } else if (key.kind == SettingKind::Switch) {
        read.numberDefault = SwitchDefault(key.defaultValue) ? 1 : 0;
    } else {
        read.textDefault = key.defaultValue;
    }
    return read;
}

consteval auto ReadKeysOfTable() {
    std::array<ReadKey, std::size(kLaunchSettingKeys)> keys{};
    for (std::size_t i = 0; i < keys.size(); ++i) keys[i] = ReadKeyOf(kLaunchSettingKeys[i]);
    return keys;
}

// The reader's copy of the table, made at compile time. The program never touches the table
// itself, so the reference texts of the effects stay out of it.
constexpr auto kReadKeys = ReadKeysOfTable();

// Fills the key's field from the file, or with the key's default when the key is absent.
struct FieldReader {
    LaunchSettings& settings;
    const ReadKey& key;
    std::optional<std::string> value;

    void operator()(std::string S::*field) const {
        settings.*field = value.value_or(std::string(key.textDefault));
    }
    void operator()(bool S::*field) const {
        settings.*field = ReadSwitch(value, key.numberDefault != 0);
    }
    void operator()(std::int32_t S::*field) const {
        settings.*field = ReadNumber(value, key.numberDefault);
    }
};

}  // namespace

LaunchSettings ReadLaunchSettingsFrom(const ProfileFile& file) {
    LaunchSettings settings;
    for (const ReadKey& key : kReadKeys) {
        std::visit(FieldReader{settings, key, file.Read(key.section, key.name)}, key.field);
    }
    settings.buttonDir = NormaliseButtonDir(std::move(settings.buttonDir));
    return settings;
}

std::string NormaliseButtonDir(std::string dir) {
    if (!dir.empty() && dir.back() != '/' && dir.back() != '\\') {
        dir.push_back('\\');
    }
    return dir;
}

}  // namespace velvane
