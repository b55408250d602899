// Work that waits for the calls between the program and the browser to return. The browser runs
// modal loops inside such calls (the print dialog, the find dialog, a message box under one of
// its events), and every message the window gets meanwhile runs on top of them: the closing
// sequence's last tick among them. The browser is not built to lose its container there: the
// call would return into a freed object. So the end of the sequence, and a new window's address
// that would replace the page, run only once no call is on the stack.

#include "win32/com_error_win.h"
#include "window/browser_window_win.h"

namespace velvane {

void TBrowserWindow::PostDeferredWork() {
    if (Handle()) PostMessageA(Handle(), kRunDeferredWork, 0, 0);
}

// Every browser is asked, the hidden ones of new-window requests too: each that holds a call
// reports its release, and the work runs once the last of them has.
bool TBrowserWindow::NoBrowserCallOnTheStack() {
    bool free = !browser || browser->MayRunNow();
    for (NewWindowBrowser& held : newWindowBrowsers_) free = held.host->MayRunNow() && free;
    return free;
}

void TBrowserWindow::RunDeferredWork() {
    // With a call on the stack the work waits; the end of the outermost call posts it again.
    if (!NoBrowserCallOnTheStack()) return;
    ReleaseAnsweredNewWindowBrowsers();
    std::wstring address = std::move(deferredNavigation_);
    deferredNavigation_.clear();
    if (endDeferred_) {
        endDeferred_ = false;
        DestroyHandle();  // tears the browser down; WM_DESTROY requests termination
        return;
    }
    if (address.empty() || !browser) return;
    try {
        browser->Navigate(address);
    } catch (const OleError&) {
        // An address the browser refuses to open leaves the page as it was.
    }
}

}  // namespace velvane
