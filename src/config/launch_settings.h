#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "config/profile_reader.h"

namespace velvane {

// How the start menu presents itself, as the disc's autorun.inf asks. A default-constructed value
// (no autorun.inf at all) has every text empty, every switch off and every number 0; the
// documented defaults apply only to keys missing from a file that exists. Each field is filled by
// one key of kLaunchSettingKeys below.
struct LaunchSettings {
    std::string icon;
    std::string windowCaption;
    bool dropShadow = false;
    std::string startPage;
    std::string altStartPage;
    std::string introMusic;
    bool loopMusic = false;
    bool stopMusicOnClick = false;
    std::string borderStyle;
    std::string skin;
    std::string skinPosition;
    std::string toolbar;
    std::string buttonDir;  // ends in a path separator unless empty (the program folder)
    bool fullScreen = false;
    std::string windowPosition;
    std::int32_t windowHeight = 0;
    std::int32_t windowWidth = 0;
    bool fadeIn = false;
    bool hideContextMenu = false;
    bool defaultCursor = false;
    bool noScrollBars = false;
    std::string requirements;
    std::string executeExt;
    bool forceOfflineMode = false;

    bool operator==(const LaunchSettings&) const = default;
};

// How a key's value is taken, as the key reference names it: a text (the value as written; a
// file or a folder relative to the program folder; a list cut at commas), a number, or a switch.
enum class SettingKind { Text, File, Folder, List, FileList, Number, Switch };

// One key of autorun.inf, declared once: the reader, the disc checker, the key reference of the
// README and the tests all take it from kLaunchSettingKeys. The field's type must agree with the
// kind: a number fills an int32, a switch a bool, every other kind a text.
struct LaunchSettingKey {
    std::string_view section;
    std::string_view name;
    SettingKind kind;
    std::variant<std::string LaunchSettings::*, bool LaunchSettings::*,
                 std::int32_t LaunchSettings::*>
        field;
    // What a missing key gives, as the reference shows it: a text ("" is none), a decimal number,
    // or "on" / "off" for a switch.
    std::string_view defaultValue;
    // What the key does, in the reference's words (Markdown). kSameRowAsAbove puts the key in the
    // reference row of the key before it, as windowwidth and windowheight share one.
    std::string_view effect;
};

inline constexpr std::string_view kSameRowAsAbove;

// Every key the program reads, in the order the key reference lists them.
inline constexpr LaunchSettingKey kLaunchSettingKeys[] = {
    {"autorun", "icon", SettingKind::File, &LaunchSettings::icon, "",
     "Icon of the window and its task-bar button. A missing file keeps the program's own icon."},
    {"velvane", "windowcaption", SettingKind::Text, &LaunchSettings::windowCaption, "Autostart",
     "Window caption and task-bar title."},
    {"velvane", "startpage", SettingKind::File, &LaunchSettings::startPage, "",
     "The HTML page shown first. Missing: *No start page is declared (attribute \"startpage\" in "
     "\"autorun.inf\") or the start page \"...\" cannot be found.*, and the program ends."},
    {"velvane", "requirements", SettingKind::FileList, &LaunchSettings::requirements, "",
     "Requirement libraries asked before anything is shown (see below); a name without an "
     "extension gets `.dll`. A missing library is reported (*Error on loading DLL file \"...\"*) "
     "and counts as fulfilled."},
    {"velvane", "altstartpage", SettingKind::File, &LaunchSettings::altStartPage, "",
     "Page shown instead of the start page when a requirement is not fulfilled. Without it the "
     "program then shows *For displaying the contents certain requirements have to be fulfilled. "
     "...* and ends."},
    {"velvane", "windowwidth", SettingKind::Number, &LaunchSettings::windowWidth, "400",
     "Outer window size in pixels, frame included. Not used with a skin or `fullscreen=1`."},
    {"velvane", "windowheight", SettingKind::Number, &LaunchSettings::windowHeight, "300",
     kSameRowAsAbove},
    {"velvane", "windowposition", SettingKind::Text, &LaunchSettings::windowPosition, "center",
     "`center`, or `left,top` in screen pixels (`100,50`, negative numbers allowed). Anything else "
     "(`Center`, `100`): *Window position is invalid.*, and the program ends. Not read with "
     "`fullscreen=1`."},
    {"velvane", "borderstyle", SettingKind::Text, &LaunchSettings::borderStyle, "window",
     "`dialog`: a fixed frame without minimise and maximise buttons; `none`: no frame and no "
     "caption; any other text: a sizeable frame. Not used with a skin."},
    {"velvane", "fullscreen", SettingKind::Switch, &LaunchSettings::fullScreen, "off",
     "The window opens maximised. Not used with a skin."},
    {"velvane", "dropshadow", SettingKind::Switch, &LaunchSettings::dropShadow, "off",
     "A drop shadow under the window, on the Windows releases that draw one."},
    {"velvane", "fadein", SettingKind::Switch, &LaunchSettings::fadeIn, "off",
     "The window fades in when it first appears."},
    {"velvane", "skin", SettingKind::File, &LaunchSettings::skin, "",
     "A bitmap that gives the window its shape: every pixel of the colour of its bottom-left pixel "
     "is cut away. The window takes the bitmap's size and is dragged by it. A missing file is "
     "silently ignored (the window keeps a plain frame of 341 x 262 pixels)."},
    {"velvane", "skinposition", SettingKind::Text, &LaunchSettings::skinPosition, "0,0,100,100",
     "With a skin: `left,top,width,height` of the page inside the window. Fewer than four numbers: "
     "the program says the browser is not installed correctly, opens the start page in the default "
     "browser and ends."},
    {"velvane", "toolbar", SettingKind::List, &LaunchSettings::toolbar, "",
     "Toolbar buttons, one per command word: `goback`, `goforward`, `gohome`, `print`, `search`, "
     "`copy`, `exit` (exactly so written; another word gives a button that does nothing). Each "
     "shows the bitmap `buttondir\\word.bmp`; its bottom-left colour is transparent. A missing "
     "bitmap: *Button bitmap file \"...\" cannot be found.*; bitmaps of different sizes: *The "
     "button bitmaps of the toolbar do not all have the same size.*; either ends the program."},
    {"velvane", "buttondir", SettingKind::Folder, &LaunchSettings::buttonDir, "buttons",
     "Folder of the toolbar bitmaps."},
    {"velvane", "intromusic", SettingKind::File, &LaunchSettings::introMusic, "",
     "A sound file (such as a WAV file) played from the start. A missing file is silently "
     "ignored."},
    {"velvane", "loopmusic", SettingKind::Switch, &LaunchSettings::loopMusic, "off",
     "The music repeats until it is stopped."},
    {"velvane", "stopmusiconclick", SettingKind::Switch, &LaunchSettings::stopMusicOnClick, "off",
     "The music stops as soon as a link leads anywhere but the start page."},
    {"velvane", "executeext", SettingKind::List, &LaunchSettings::executeExt, "exe",
     "Extensions, without dots and blanks, of the files that links hand to Windows instead of the "
     "browser (see below)."},
    {"velvane", "hidecontextmenu", SettingKind::Switch, &LaunchSettings::hideContextMenu, "on",
     "No right-click menu in the page."},
    {"velvane", "defaultcursor", SettingKind::Switch, &LaunchSettings::defaultCursor, "on",
     "The plain arrow cursor on every page, whatever its styles say."},
    {"velvane", "noscrollbars", SettingKind::Switch, &LaunchSettings::noScrollBars, "on",
     "The page shows no scroll bars."},
    {"velvane", "forceofflinemode", SettingKind::Switch, &LaunchSettings::forceOfflineMode, "off",
     "The browser works offline and never goes to the network."},
};

// Reads every setting: "icon" from section [autorun], all others from section [velvane]. Text
// values keep their letter case; each key missing from the file takes its default.
LaunchSettings ReadLaunchSettingsFrom(const ProfileFile& file);

// Makes a non-empty button folder end in a separator by appending '\' when it ends in neither
// '/' nor '\'. An empty folder stays empty: it stands for the program folder itself.
std::string NormaliseButtonDir(std::string dir);

}  // namespace velvane
