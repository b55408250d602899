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

namespace velvane {

void TBrowserWindow::BindBrowserEvents() {
    browser->OnShowContextMenu = [this](DWORD, POINT*, IUnknown*, IDispatch*) {
        return WebHostShowContextMenu();
    };
    browser->OnBeforeNavigate2 = [this](TWebHost&, IDispatch*, const std::string& url,
                                        const VARIANT&, const VARIANT&, const VARIANT&,
                                        const VARIANT&,
                                        bool& cancel) { WebHostBeforeNavigate2(url, cancel); };
    browser->OnDocumentComplete = [this](TWebHost&, IDispatch*, const std::string&) {
        WebHostDocumentComplete();
    };
    browser->OnCommandStateChange = [this](TWebHost&, std::int32_t command, bool enabled) {
        WebHostCommandStateChange(command, enabled);
    };
}

// The steps run in a fixed order: the music first (also for navigations that are then
// cancelled), then a file handed to the shell, then the close addresses, whatever came before.
void TBrowserWindow::WebHostBeforeNavigate2(const std::string& url, bool& cancel) {
    NavigationDecision decision = DecideNavigation(
        {url, programFolder_ + settings.startPage, settings.executeExt, settings.stopMusicOnClick});
    if (decision.stopMusic) StopMusic();
    if (decision.launchFile) {
        cancel = true;
        if (FileExists(url)) {
            ShellExecuteA(Application::Instance().Handle(), "open", url.c_str(), "", "", SW_SHOW);
        } else {
            ShowError(kMsgExecutableMissing, url);
        }
    }
    if (decision.closeMainWindow) {
        cancel = true;
        Close();
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
