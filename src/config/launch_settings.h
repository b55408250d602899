#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "config/profile_reader.h"

namespace velvane {

// How the start menu presents itself, as the disc's autorun.inf asks. A default-constructed value
// (no autorun.inf at all) has every text empty, every switch off and every number 0; the
// documented defaults apply only to keys missing from a file that exists.
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

// One key of autorun.inf and the field it fills. The field's type gives the key's kind: a text,
// a switch (bool) or a number (int32).
struct LaunchSettingKey {
    std::string_view section;
    std::string_view name;
    std::variant<std::string LaunchSettings::*, bool LaunchSettings::*,
                 std::int32_t LaunchSettings::*>
        field;
    std::string_view textDefault;     // for a text
    std::int32_t numberDefault = 0;   // for a number; for a switch 1 (on) or 0 (off)
};

// Every key the program reads, in the order it reads them.
std::span<const LaunchSettingKey> LaunchSettingKeys();

// Reads every setting: "icon" from section [autorun], all others from section [velvane]. Text
// values keep their letter case; each key missing from the file takes its default.
LaunchSettings ReadLaunchSettingsFrom(const ProfileFile& file);

// Makes a non-empty button folder end in a separator by appending '\' when it ends in neither
// '/' nor '\'. An empty folder stays empty: it stands for the program folder itself.
std::string NormaliseButtonDir(std::string dir);

}  // namespace velvane
