#include "config/launch_settings.h"

#include <string_view>

#include "config/number_rules.h"

namespace velvane {
namespace {

// Reads the keys of one section, applying the per-key default when a key is missing.
class SectionReader {
public:
    SectionReader(const ProfileFile& file, std::string_view section)
        : file_(file), section_(section) {}

    std::string Text(std::string_view key, std::string_view defaultValue) const {
        return file_.Read(section_, key).value_or(std::string(defaultValue));
    }
    bool Switch(std::string_view key, bool defaultOn) const {
        return ReadSwitch(file_.Read(section_, key), defaultOn);
    }
    std::int32_t Number(std::string_view key, std::int32_t defaultValue) const {
        return ReadNumber(file_.Read(section_, key), defaultValue);
    }

private:
    const ProfileFile& file_;
    std::string_view section_;
};

}  // namespace

LaunchSettings ReadLaunchSettingsFrom(const ProfileFile& file) {
    const SectionReader autorun(file, "autorun");
    const SectionReader own(file, "velvane");
    LaunchSettings settings;
    settings.icon = autorun.Text("icon", "");
    settings.windowCaption = own.Text("windowcaption", "Autostart");
    settings.dropShadow = own.Switch("dropshadow", false);
    settings.startPage = own.Text("startpage", "");
    settings.altStartPage = own.Text("altstartpage", "");
    settings.introMusic = own.Text("intromusic", "");
    settings.loopMusic = own.Switch("loopmusic", false);
    settings.stopMusicOnClick = own.Switch("stopmusiconclick", false);
    settings.borderStyle = own.Text("borderstyle", "window");
    settings.skin = own.Text("skin", "");
    settings.skinPosition = own.Text("skinposition", "0,0,100,100");
    settings.toolbar = own.Text("toolbar", "");
    settings.buttonDir = NormaliseButtonDir(own.Text("buttondir", "buttons"));
    settings.fullScreen = own.Switch("fullscreen", false);
    settings.windowPosition = own.Text("windowposition", "center");
    settings.windowHeight = own.Number("windowheight", 300);
    settings.windowWidth = own.Number("windowwidth", 400);
    settings.fadeIn = own.Switch("fadein", false);
    settings.hideContextMenu = own.Switch("hidecontextmenu", true);
    settings.defaultCursor = own.Switch("defaultcursor", true);
    settings.noScrollBars = own.Switch("noscrollbars", true);
    settings.requirements = own.Text("requirements", "");
    settings.executeExt = own.Text("executeext", "exe");
    settings.forceOfflineMode = own.Switch("forceofflinemode", false);
    return settings;
}

std::string NormaliseButtonDir(std::string dir) {
    if (!dir.empty() && dir.back() != '/' && dir.back() != '\\') {
        dir.push_back('\\');
    }
    return dir;
}

}  // namespace velvane
