#include "config/launch_settings.h"

#include <optional>
#include <string_view>
#include <utility>

#include "config/number_rules.h"

namespace velvane {
namespace {

using S = LaunchSettings;

constexpr LaunchSettingKey kKeys[] = {
    {"autorun", "icon", &S::icon, "", 0},
    {"velvane", "windowcaption", &S::windowCaption, "Autostart", 0},
    {"velvane", "dropshadow", &S::dropShadow, "", 0},
    {"velvane", "startpage", &S::startPage, "", 0},
    {"velvane", "altstartpage", &S::altStartPage, "", 0},
    {"velvane", "intromusic", &S::introMusic, "", 0},
    {"velvane", "loopmusic", &S::loopMusic, "", 0},
    {"velvane", "stopmusiconclick", &S::stopMusicOnClick, "", 0},
    {"velvane", "borderstyle", &S::borderStyle, "window", 0},
    {"velvane", "skin", &S::skin, "", 0},
    {"velvane", "skinposition", &S::skinPosition, "0,0,100,100", 0},
    {"velvane", "toolbar", &S::toolbar, "", 0},
    {"velvane", "buttondir", &S::buttonDir, "buttons", 0},
    {"velvane", "fullscreen", &S::fullScreen, "", 0},
    {"velvane", "windowposition", &S::windowPosition, "center", 0},
    {"velvane", "windowheight", &S::windowHeight, "", 300},
    {"velvane", "windowwidth", &S::windowWidth, "", 400},
    {"velvane", "fadein", &S::fadeIn, "", 0},
    {"velvane", "hidecontextmenu", &S::hideContextMenu, "", 1},
    {"velvane", "defaultcursor", &S::defaultCursor, "", 1},
    {"velvane", "noscrollbars", &S::noScrollBars, "", 1},
    {"velvane", "requirements", &S::requirements, "", 0},
    {"velvane", "executeext", &S::executeExt, "exe", 0},
    {"velvane", "forceofflinemode", &S::forceOfflineMode, "", 0},
};

// Fills the key's field from the file, or with the key's default when the key is absent.
struct FieldReader {
    LaunchSettings& settings;
    const LaunchSettingKey& key;
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

std::span<const LaunchSettingKey> LaunchSettingKeys() {
    return kKeys;
}

LaunchSettings ReadLaunchSettingsFrom(const ProfileFile& file) {
    LaunchSettings settings;
    for (const LaunchSettingKey& key : kKeys) {
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
