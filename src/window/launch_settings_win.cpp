// Reading the launch settings from autorun.inf beside the executable.

#include "config/profile_reader.h"
#include "services/application_win.h"
#include "services/message_catalogue.h"
#include "win32/file_system_win.h"
#include "window/browser_window_win.h"

namespace velvane {

void TBrowserWindow::ReadLaunchSettings() {
    std::string path = programFolder_ + "autorun.inf";
    if (!FileExists(path)) {
        ShowError(kMsgConfigMissing, path);
        application_.Terminate();
        return;
    }
    // A file that exists but cannot be read reads as an empty one: every key takes its default.
    std::string content = ReadWholeFile(path).value_or(std::string());
    settings = ReadLaunchSettingsFrom(ProfileFile::Parse(content));
}

}  // namespace velvane
