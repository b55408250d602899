// The requirement libraries a disc names: each is asked once, before anything is shown.

#include "services/application_win.h"
#include "services/message_catalogue.h"
#include "win32/file_system_win.h"
#include "win32/guarded_call_win.h"
#include "win32/library_win.h"
#include "win32/unique_handle_win.h"
#include "window/browser_window_win.h"
#include "window/requirements.h"

namespace velvane {

bool TBrowserWindow::CheckRequirements() {
    // The libraries on the disc, asked through the window: a missing one gets its error box.
    struct Libraries final : RequirementLibraries {
        TBrowserWindow& window;
        explicit Libraries(TBrowserWindow& w) : window(w) {}
        bool FileExists(const std::string& path) override { return velvane::FileExists(path); }
        void ReportMissing(const std::string& path) override {
            window.ShowError(kMsgDllLoadError, path);
        }
        bool Fulfilled(const std::string& path) override {
            return window.RunRequirementCheck(path, "CheckRequirement");
        }
    } libraries(*this);
    const RequirementOutcome outcome = CheckRequirementLibraries(
        programFolder_, settings.requirements, settings.altStartPage, libraries);
    requirementsMet = outcome == RequirementOutcome::Met;
    switch (outcome) {
        case RequirementOutcome::Met:
            return true;
        case RequirementOutcome::AltStartPage:
            settings.startPage = settings.altStartPage;
            return true;
        case RequirementOutcome::Stop:
            break;
    }
    Stop(kMsgRequirementsFailed, settings.requirements);
    return false;
}

bool TBrowserWindow::RunRequirementCheck(const std::string& path, const char* exportName) {
    // The program reports a library that cannot be loaded itself: no second box from the system.
    Module library = LoadLibraryQuietly(path);
    if (!library) {
        ShowError(kMsgDllLoadError, path);
        return false;
    }
    auto check = ProcAddress<ByteFunction>(library.get(), exportName);
    if (!check) {
        ShowError(kMsgDllLoadError, path);
        return false;
    }
    // A library that faults cannot vouch for anything: it counts as not fulfilled, like one
    // that says no, and the menu goes on. It is unloaded all the same; whatever it left half
    // done belongs to it.
    const std::optional<unsigned char> answer =
        CallGuarded(check, application_.Handle());
    return answer.value_or(0) != 0;
}

}  // namespace velvane
