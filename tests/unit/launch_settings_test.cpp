#include "config/launch_settings.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

namespace velvane {

// Lets a failed comparison show every field instead of raw bytes.
void PrintTo(const LaunchSettings& s, std::ostream* out) {
    *out << "{icon=" << s.icon << " windowCaption=" << s.windowCaption
         << " dropShadow=" << s.dropShadow << " startPage=" << s.startPage
         << " altStartPage=" << s.altStartPage << " introMusic=" << s.introMusic
         << " loopMusic=" << s.loopMusic << " stopMusicOnClick=" << s.stopMusicOnClick
         << " borderStyle=" << s.borderStyle << " skin=" << s.skin
         << " skinPosition=" << s.skinPosition << " toolbar=" << s.toolbar
         << " buttonDir=" << s.buttonDir << " fullScreen=" << s.fullScreen
         << " windowPosition=" << s.windowPosition << " windowHeight=" << s.windowHeight
         << " windowWidth=" << s.windowWidth << " fadeIn=" << s.fadeIn
         << " hideContextMenu=" << s.hideContextMenu << " defaultCursor=" << s.defaultCursor
         << " noScrollBars=" << s.noScrollBars << " requirements=" << s.requirements
         << " executeExt=" << s.executeExt << " forceOfflineMode=" << s.forceOfflineMode << "}";
}

namespace {

// What a file without any [velvane] key gives, written out independently of the reader.
LaunchSettings Defaults() {
    LaunchSettings s;
    s.windowCaption = "Autostart";
    s.borderStyle = "window";
    s.skinPosition = "0,0,100,100";
    s.buttonDir = "buttons\\";
    s.windowPosition = "center";
    s.windowHeight = 300;
    s.windowWidth = 400;
    s.hideContextMenu = true;
    s.defaultCursor = true;
    s.noScrollBars = true;
    s.executeExt = "exe";
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
        {"default-on switches turned off",
         "[velvane]\nhidecontextmenu=0\ndefaultcursor=0\nnoscrollbars=0\n",
         [](LaunchSettings& s) {
             s.hideContextMenu = false;
             s.defaultCursor = false;
             s.noScrollBars = false;
         }},
        {"default-on switch word stays on", "[velvane]\nnoscrollbars=no\n", [](LaunchSettings&) {}},
        {"hex width", "[velvane]\nwindowwidth=0x280\n",
         [](LaunchSettings& s) { s.windowWidth = 640; }},
        {"width with unit", "[velvane]\nwindowwidth=640px\n", [](LaunchSettings&) {}},
        {"height", "[velvane]\nwindowheight=480\n",
         [](LaunchSettings& s) { s.windowHeight = 480; }},
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
        {"every text key",
         "[velvane]\nstartpage=index.htm\naltstartpage=alt.htm\nintromusic=intro.mp3\n"
         "skin=skin.bmp\nskinposition=1,2,3,4\ntoolbar=tb.htm\nwindowposition=0,0\n"
         "requirements=ie6\nexecuteext=EXE;BAT\n",
         [](LaunchSettings& s) {
             s.startPage = "index.htm";
             s.altStartPage = "alt.htm";
             s.introMusic = "intro.mp3";
             s.skin = "skin.bmp";
             s.skinPosition = "1,2,3,4";
             s.toolbar = "tb.htm";
             s.windowPosition = "0,0";
             s.requirements = "ie6";
             s.executeExt = "EXE;BAT";
         }},
        {"every default-off switch",
         "[velvane]\ndropshadow=1\nloopmusic=1\nstopmusiconclick=1\nforceofflinemode=1\n",
         [](LaunchSettings& s) {
             s.dropShadow = true;
             s.loopMusic = true;
             s.stopMusicOnClick = true;
             s.forceOfflineMode = true;
         }},
    };
    for (const SettingsCase& c : cases) {
        LaunchSettings expected = Defaults();
        c.changeFromDefaults(expected);
        EXPECT_EQ(ReadLaunchSettingsFrom(ProfileFile::Parse(c.file)), expected) << c.name;
    }
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
