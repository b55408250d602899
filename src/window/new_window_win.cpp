// New-window requests of controls that raise NewWindow2 alone (before XP SP2), which names no
// address. The control is handed a hidden browser of the program's own, as the event allows: the
// control opens the request's address there, and that browser's first BeforeNavigate2 carries it.
// The navigation is cancelled and the address handled as a click in the menu; the hidden browser
// is released once its request is answered, never inside one of the browsers' events.

#include <windows.h>

#include "win32/com_error_win.h"
#include "window/browser_window_win.h"

namespace velvane {

void TBrowserWindow::WebHostNewWindow2(IDispatch** newBrowser, bool& cancel) {
    // A control that names its addresses in NewWindow3 (raised next, or instead), or one that
    // offers no empty slot for a browser: the request is refused, as every request once was.
    const std::uint32_t request = newBrowser && !*newBrowser ? newWindowRequests_.NewWindow2() : 0;
    ComPtr<IDispatch> hidden = request != 0 ? HiddenBrowserFor(request) : ComPtr<IDispatch>();
    if (!hidden) {
        cancel = true;
        if (request != 0) newWindowRequests_.CaughtNavigation(request);  // it waits for nothing
        return;
    }
    *newBrowser = hidden.release();  // the control's reference now
    cancel = false;
}

// A new browser in place in a hidden child of this window (a browser that is not active in place
// may not navigate at all); its page never shows, only its first navigation counts. Empty when
// no second browser can be had.
ComPtr<IDispatch> TBrowserWindow::HiddenBrowserFor(std::uint32_t request) {
    std::unique_ptr<TWebHost> host;
    try {
        host = std::make_unique<TWebHost>();
        host->SetParentWindow(Handle());
        ShowWindow(host->Handle(), SW_HIDE);
    } catch (const OleError&) {
        return {};
    }
    BindNewWindowBrowser(*host, request);
    ComPtr<IDispatch> dispatch = host->DefaultInterface().As<IDispatch>();
    if (dispatch) newWindowBrowsers_.push_back({request, std::move(host)});
    return dispatch;
}

// Only the first navigation of a request NewWindow3 has not answered is the user's click.
void TBrowserWindow::NewWindowNavigates(std::uint32_t request, const std::wstring& url) {
    if (!newWindowRequests_.CaughtNavigation(request)) return;
    WebHostNewWindow3(url);
    PostDeferredWork();  // the hidden browser has served: released once its event has returned
}

bool TBrowserWindow::NewWindowBrowsersToRelease() const {
    for (const NewWindowBrowser& held : newWindowBrowsers_) {
        if (!newWindowRequests_.Waiting(held.request)) return true;
    }
    return false;
}

void TBrowserWindow::ReleaseAnsweredNewWindowBrowsers() noexcept {
    std::vector<NewWindowBrowser> answered;
    for (auto it = newWindowBrowsers_.begin(); it != newWindowBrowsers_.end();) {
        if (newWindowRequests_.Waiting(it->request)) {
            ++it;
        } else {
            answered.push_back(std::move(*it));
            it = newWindowBrowsers_.erase(it);
        }
    }
    // Torn down here, with no event of any browser on the stack (the caller made sure).
    answered.clear();
}

}  // namespace velvane
