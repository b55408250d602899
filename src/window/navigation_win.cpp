// The main window's answers to the browser: every navigation filtered, the arrow cursor on every
// page, no context menu.

#include <windows.h>
#include <shellapi.h>

#include "app/application_win.h"
#include "app/message_catalogue.h"
#include "win32/automation_win.h"
#include "win32/file_system_win.h"
#include "win32/variant_win.h"
#include "window/browser_window_win.h"
#include "window/navigation_filter.h"
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
    target.exact = text.exact;
    return target;
}

void TBrowserWindow::BindBrowserEvents() {
    browser->OnShowContextMenu = [this](DWORD, POINT*, IUnknown*, IDispatch*) {
        return WebHostShowContextMenu();
    };
    browser->OnBeforeNavigate2 = [this](TWebHost&, IDispatch*, const VARIANT& url, const VARIANT&,
                                        const VARIANT&, const VARIANT&, const VARIANT&,
                                        bool& cancel) {
        WebHostBeforeNavigate2(NavigationTarget::Of(VariantWideText(url)), cancel);
    };
    browser->OnDocumentComplete = [this](TWebHost&, IDispatch*, const std::string&) {
        WebHostDocumentComplete();
    };
    browser->OnCommandStateChange = [this](TWebHost&, std::int32_t command, bool enabled) {
        WebHostCommandStateChange(command, enabled);
    };
}

// The steps run in a fixed order: the music first (also for navigations that are then
// cancelled), then a file handed to the shell, then the close addresses, whatever came before.
void TBrowserWindow::WebHostBeforeNavigate2(const NavigationTarget& target, bool& cancel) {
    NavigationDecision decision =
        DecideNavigation({target.text, programFolder_ + settings.startPage, settings.executeExt,
                          settings.stopMusicOnClick});
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

// A path the ANSI code page holds goes to the shell as it always did. One it cannot hold (a
// name in another script than the system's) is checked and opened through the wide shell
// calls: the author linked a file that is on the disc and expects it to start, and the 8-bit
// text would name no file or, mapped to look-alike letters, another one.
void TBrowserWindow::LaunchOrReport(const NavigationTarget& target) {
    HWND owner = Application::Instance().Handle();
    if (target.exact && FileExists(target.text)) {
        ShellExecuteA(owner, "open", target.text.c_str(), "", "", SW_SHOW);
    } else if (!target.exact && FileExists(target.path)) {
        ShellExecuteW(owner, L"open", target.path.c_str(), L"", L"", SW_SHOW);
    } else {
        ShowError(kMsgExecutableMissing, target.text);
    }
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
