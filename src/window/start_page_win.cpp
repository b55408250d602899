// Showing the main window and its start page.

#include "app/application_win.h"
#include "window/browser_window_win.h"

namespace velvane {

void TBrowserWindow::Show() {
    FormShow();
    ShowWindow(Application::Instance().Handle(), SW_SHOWNOACTIVATE);
    ShowWindow(Handle(), maximised_ ? SW_SHOWMAXIMIZED : SW_SHOW);
    UpdateWindow(Handle());
}

void TBrowserWindow::FormShow() {
    SetWindowTextA(Handle(), settings.windowCaption.c_str());
    Application::Instance().SetTitle(settings.windowCaption);
    if (settings.fadeIn) StartFadeIn();
}

}  // namespace velvane
