// The main window's answers to the browser: every navigation filtered, the arrow cursor on every
// page, no context menu.

#include <windows.h>
#include <shellapi.h>

#include "services/application_win.h"
#include "services/message_catalogue.h"
#include "sysinfo/windows_version_win.h"
#include "win32/automation_win.h"
#include "win32/com_error_win.h"
#include "win32/file_system_win.h"
#include "win32/message_dialog_win.h"
#include "win32/shell_win.h"
#include "win32/variant_win.h"
#include "window/browser_window_win.h"
#include "window/navigation.h"
#include "window/navigation_url.h"

namespace velvane {

namespace {

std::u16string AsUtf16(std::wstring_view text) {
    return std::u16string(text.begin(), text.end());
}

std::u16string DecodeAnsiBytes(std::string_view bytes) {
    return AsUtf16(WideFromAnsi(bytes));
}

}  // namespace

NavigationTarget NavigationTarget::Of(const std::wstring& url) {
    std::u16string path = PathFromUrl(AsUtf16(url), &DecodeAnsiBytes);
    NavigationTarget target;
    target.path.assign(path.begin(), path.end());
    AnsiText text = ConvertToAnsi(target.path);
    target.text = std::move(text.text);
    target.calls = FileNameCallsFor(text.exact);
    return target;
}

// A path the ANSI code page holds goes to the ANSI calls, as it always did. One it cannot hold
// (a name in another script than the system's) goes to the UTF-16 calls: the author linked a
// file that is on the disc and expects it to start, and the 8-bit text would name no file or,
// mapped to look-alike letters, another one. On 95, 98 and Me those calls are stubs, so there
// such a file is missing, and its report names it with "?" marks.
bool NavigationTarget::IsFile() const {
    switch (calls) {
        case FileNameCalls::Ansi:
            return FileExists(text);
        case FileNameCalls::Wide:
            return FileExists(path);
        case FileNameCalls::None:
            break;
    }
    return false;
}

void NavigationTarget::Open(HWND owner) const {
    if (calls == FileNameCalls::Wide) {
        ShellOpen(owner, path);
    } else {
        ShellOpen(owner, text);
    }
}

void TBrowserWindow::BindBrowserEvents() {
    browser->OnShowContextMenu = [this](DWORD, POINT*, IUnknown*, IDispatch*) {
        return WebHostShowContextMenu();
    };
    browser->OnBeforeNavigate2 = [this](TWebHost& sender, IDispatch* pDisp, const VARIANT& url,
                                        const VARIANT&, const VARIANT&, const VARIANT&,
                                        const VARIANT&, bool& cancel) {
        WebHostBeforeNavigate2(NavigationTarget::Of(VariantWideText(url)),
                               sender.IsTopLevelBrowser(pDisp), cancel);
    };
    // No window outside the menu: a new-window request is cancelled, and its address is treated
    // like a click in the menu. Where only NewWindow2 comes, a hidden browser learns the address.
    browser->OnNewWindow2 = [this](TWebHost&, IDispatch** newBrowser, bool& cancel) {
        WebHostNewWindow2(newBrowser, cancel);
    };
    browser->OnNewWindow3 = [this](TWebHost&, bool& cancel, std::uint32_t, const std::wstring&,
                                   const std::wstring& url) {
        cancel = true;
        newWindowRequests_.NewWindow3();
        WebHostNewWindow3(url);
        // A hidden browser that waited for this request's address is no longer needed.
        if (NewWindowBrowsersToRelease()) PostDeferredWork();
    };
    // A script's window.close() ends the program the way a close address does, without the
    // browser's own question. Controls before IE 5.5 raise no WindowClosing: they destroy their
    // own window, which ends the program the same way.
    browser->OnWindowClosing = [this](TWebHost&, bool, bool& cancel) {
        cancel = true;
        Close();
    };
    browser->OnBrowserWindowDestroyed = [this](TWebHost&) { Close(); };
    // From the top level's NavigateComplete2 to its DocumentComplete the page loads its own
    // frames; a frame's navigation after that is the user's click.
    browser->OnNavigateComplete2 = [this](TWebHost& sender, IDispatch* pDisp, const std::string&) {
        if (sender.IsTopLevelBrowser(pDisp)) pageLoading_ = true;
    };
    browser->OnDocumentComplete = [this](TWebHost& sender, IDispatch* pDisp, const std::string&) {
        if (sender.IsTopLevelBrowser(pDisp)) pageLoading_ = false;
        WebHostDocumentComplete();
    };
    // Work held back while a call was on the stack runs from the message loop, not from the
    // last frames of the call.
    browser->OnCallsReturned = [this](TWebHost&) { PostDeferredWork(); };
    browser->OnCommandStateChange = [this](TWebHost&, std::int32_t command, bool enabled) {
        WebHostCommandStateChange(command, enabled);
    };
}

// The hidden browser of a new-window request cancels every navigation; the first is the
// request's. It is not registered as a browser (RegisterAsBrowser stays false): a later link to
// the same named target asks for a new window again rather than going to a browser released by
// then. Its calls hold back the deferred work as the main browser's do.
void TBrowserWindow::BindNewWindowBrowser(TWebHost& host, std::uint32_t request) {
    host.OnBeforeNavigate2 = [this, request](TWebHost&, IDispatch*, const VARIANT& url,
                                             const VARIANT&, const VARIANT&, const VARIANT&,
                                             const VARIANT&, bool& cancel) {
        cancel = true;
        NewWindowNavigates(request, VariantWideText(url));
    };
    host.OnCallsReturned = [this](TWebHost&) { PostDeferredWork(); };
}

// The steps run in a fixed order: the music first (also for navigations that are then
// cancelled), then a file handed to the shell, then the close addresses, whatever came before.
void TBrowserWindow::WebHostBeforeNavigate2(const NavigationTarget& target, bool topLevel,
                                            bool& cancel) {
    NavigationDecision decision =
        DecideNavigation({target.text, programFolder_ + settings.startPage, settings.executeExt,
                          settings.stopMusicOnClick, topLevel, pageLoading_});
    if (decision.stopMusic) StopMusic();
    if (decision.launchFile) {
        cancel = true;
        LaunchOrReport(target);
    }
    if (decision.closeMainWindow) {
        cancel = true;
        Close();
    }
}

// A link meant for another window is a click in the menu all the same. A program starts and a
// close address closes, as from any link; another address opens in the menu's own browser once
// the event has returned (its own navigation then passes the filter, music rule included).
void TBrowserWindow::WebHostNewWindow3(const std::wstring& url) {
    if (url.empty()) return;
    NavigationTarget target = NavigationTarget::Of(url);
    NavigationDecision decision =
        DecideNavigation({target.text, programFolder_ + settings.startPage, settings.executeExt,
                          settings.stopMusicOnClick, true});
    if (!decision.Cancel()) {
        deferredNavigation_ = url;
        RunDeferredWork();
        return;
    }
    if (decision.stopMusic) StopMusic();
    if (decision.launchFile) LaunchOrReport(target);
    if (decision.closeMainWindow) Close();
}

void TBrowserWindow::LaunchOrReport(const NavigationTarget& target) {
    const LaunchStep step = ChooseLaunchStep(reportShowing_, [&] { return target.IsFile(); });
    switch (step) {
        case LaunchStep::Open:
            target.Open(application_.Handle());
            break;
        case LaunchStep::ReportMissing:
            ReportFromEvent(kMsgExecutableMissing, target.text);
            break;
        case LaunchStep::None:
            break;
    }
}

// The main window owns the box, so the window and the page under it take no input until it is
// dismissed, and the browser keeps its own modeless windows disabled meanwhile.
void TBrowserWindow::ReportFromEvent(std::int32_t messageId, const std::string& argument) {
    struct Showing {
        TBrowserWindow& window;
        explicit Showing(TBrowserWindow& w) : window(w) {
            window.reportShowing_ = true;
            if (window.browser) window.browser->EnableModeless(false);
        }
        ~Showing() {
            if (window.browser) window.browser->EnableModeless(true);
            window.reportShowing_ = false;
        }
        Showing(const Showing&) = delete;
        Showing& operator=(const Showing&) = delete;
    } showing(*this);
    HWND owner = IsWindowVisible(Handle()) ? Handle() : application_.Handle();
    ShowErrorBox(owner, GetMessageText(messageId, argument));
}

// The page's own cursor styles give way to the plain arrow: a disc menu is no web site.
void TBrowserWindow::WebHostDocumentComplete() {
    if (!settings.defaultCursor || !browser) return;
    try {
        ComPtr<IDispatch> control = browser->DefaultInterface().As<IDispatch>();
        ComPtr<IDispatch> document = GetObjectProperty(control.get(), L"document");
        ComPtr<IDispatch> body = GetObjectProperty(document.get(), L"body");
        ComPtr<IDispatch> style = GetObjectProperty(body.get(), L"style");
        PutProperty(style.get(), L"cursor", Variant::FromAnsi("default").value());
    } catch (...) {
        // No document yet, no body, not HTML: the page keeps its cursor and nobody is told.
    }
}

HRESULT TBrowserWindow::WebHostShowContextMenu() const {
    return settings.hideContextMenu ? S_OK : S_FALSE;
}

}  // namespace velvane
