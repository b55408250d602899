// Showing the main window: the about items, caption and icon, then the start page in the embedded
// browser, or in the default browser when the embedded one cannot be used.

#include <windows.h>
#include <shellapi.h>

#include "services/application_win.h"
#include "services/error_report.h"
#include "services/message_catalogue.h"
#include "win32/file_system_win.h"
#include "win32/message_dialog_win.h"
#include "win32/shell_win.h"
#include "window/browser_window_win.h"
#include "window/start_page.h"

namespace velvane {
namespace {

constexpr UINT kPlainTextItem = 0x400;

}  // namespace

void TBrowserWindow::Show() {
    FormShow();
    // A start page handed to the default browser, or one that is missing, ends the program:
    // the window is then not shown at all.
    if (application_.Terminated()) return;
    ShowWindow(application_.Handle(), SW_SHOWNOACTIVATE);
    ShowWindow(Handle(), maximised_ ? SW_SHOWMAXIMIZED : SW_SHOW);
    UpdateWindow(Handle());
    // The keys go to the page from the start (tab, the arrows, the wheel), also when the window
    // was shown without being activated.
    if (browser) browser->FocusPage();
}

void TBrowserWindow::FormShow() {
    AppendAboutItem(application_.Handle());
    AppendAboutItem(Handle());
    application_.SetTitle(settings.windowCaption);
    SetWindowTextA(Handle(), settings.windowCaption.c_str());
    LoadConfiguredIcon();
    if (useExternalBrowser) {
        OpenStartPageInDefaultBrowser();
        return;
    }
    try {
        ShowStartPage();
    } catch (...) {
        // The embedded browser cannot be had (no control, a broken skin position, ...): the
        // default browser shows the start page instead.
        OpenStartPageInDefaultBrowser();
        return;
    }
    if (settings.fadeIn) StartFadeIn();
}

void TBrowserWindow::AppendAboutItem(HWND window) {
    HMENU menu = GetSystemMenu(window, FALSE);
    if (!menu) return;
    AppendMenuA(menu, MF_SEPARATOR, kAboutCommandId, "");
    std::string text = GetMessageText(kMsgAboutItem);
    AppendMenuA(menu, kPlainTextItem, kAboutCommandId, text.c_str());
}

void TBrowserWindow::LoadConfiguredIcon() {
    std::string path = programFolder_ + settings.icon;
    if (!FileExists(path)) return;
    icon_.reset(static_cast<HICON>(
        LoadImageA(nullptr, path.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE)));
    if (!icon_) throw ApplicationError("Icon image is not valid: " + path);
    for (HWND window : {Handle(), application_.Handle()}) {
        SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
        SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.get()));
    }
}

void TBrowserWindow::OpenStartPageInDefaultBrowser() {
    ShowInformationBox(application_.Handle(), GetMessageText(kMsgExternalBrowser));
    std::string path = programFolder_ + settings.startPage;
    ShellOpen(Handle(), path);
    application_.Terminate();
}

void TBrowserWindow::ShowStartPage() {
    browser = std::make_unique<TWebHost>();
    browser->SetParentWindow(Handle());
    std::string startPath = programFolder_ + settings.startPage;
    if (!FileExists(startPath)) {
        ShowError(kMsgStartPageMissing, startPath);
        application_.Terminate();
        return;
    }
    PlaceBrowser();
    browser->SetOffline(settings.forceOfflineMode);
    browser->SetAddressBar(false);
    browser->SetMenuBar(false);
    browser->ReplaceCaption = true;
    browser->SetStatusBar(false);
    browser->SetUserInterfaceOptions({TUserInterfaceOption::NO3DBORDER});
    if (settings.noScrollBars) {
        UserInterfaceOptionSet options = browser->UserInterfaceOptions();
        options.Include(TUserInterfaceOption::SCROLL_NO);
        browser->SetUserInterfaceOptions(options);
    }
    BindBrowserEvents();
    browser->Navigate(startPath);
    canGoBack = false;
    canGoForward = false;
}

// A skinned window places the browser where the skin leaves room for it; any other fills the
// client area under the tool bar.
void TBrowserWindow::PlaceBrowser() {
    if (!BrowserFollowsSkin(settings.skin, settings.skinPosition)) {
        browserFillsClient_ = true;
        LayOutChildren();
        return;
    }
    const std::optional<BrowserBounds> bounds = SkinPositionBounds(settings.skinPosition);
    if (!bounds) throw ApplicationError("The skin position is invalid: " + settings.skinPosition);
    browser->SetLeft(bounds->left);
    browser->SetTop(bounds->top);
    browser->SetWidth(bounds->width);
    browser->SetHeight(bounds->height);
}

}  // namespace velvane
