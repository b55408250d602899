#include "splash/about_box_win.h"

#include "window/browser_window_win.h"

namespace velvane {
namespace {

constexpr char kAboutBoxClass[] = "TAboutBox";
constexpr UINT_PTR kShutdownTimerId = 1;
constexpr UINT kShutdownInterval = 500;  // ms
constexpr int kClosingTicks = 3;
constexpr int kBoxWidth = 212;
constexpr int kSplashHeight = 50;
constexpr int kAboutHeight = 299;

}  // namespace

void TAboutBox::Create() {
    RegisterWindowClass(kAboutBoxClass, 0, GetSysColorBrush(COLOR_BTNFACE));
    CreateHandle(WS_EX_TOOLWINDOW, kAboutBoxClass, "Velvane", WS_POPUP, 0, 0, kBoxWidth,
                 kAboutHeight, mainWindow_.Handle());
}

void TAboutBox::ShowAsSplash(bool splash) {
    splash_ = splash;
    SetWindowPos(Handle(), nullptr, 0, 0, kBoxWidth, splash ? kSplashHeight : kAboutHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TAboutBox::SetStayOnTop(bool onTop) {
    SetWindowPos(Handle(), onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TAboutBox::ShowModeless() {
    if (!shownBefore_) {
        // Centred on the first showing; later showings keep the top-left it had.
        RECT box;
        GetWindowRect(Handle(), &box);
        int left = (GetSystemMetrics(SM_CXSCREEN) - (box.right - box.left)) / 2;
        int top = (GetSystemMetrics(SM_CYSCREEN) - (box.bottom - box.top)) / 2;
        SetWindowPos(Handle(), nullptr, left, top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        shownBefore_ = true;
    }
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    UpdateWindow(Handle());
}

void TAboutBox::ShowModal() {
    // The full about form arrives with the about box's own work; until then the command is
    // accepted and shows nothing.
}

void TAboutBox::EnableShutdownTimer() { SetTimer(Handle(), kShutdownTimerId, kShutdownInterval, nullptr); }

void TAboutBox::ShutdownTimerTimer() {
    closeConfirmed = false;
    ++mainWindow_.closeTicks;
    if (mainWindow_.closeTicks >= kClosingTicks) {
        KillTimer(Handle(), kShutdownTimerId);
        closeConfirmed = true;
        mainWindow_.Close();
    }
}

void TAboutBox::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Handle(), &paint);
    RECT client;
    GetClientRect(Handle(), &client);
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    DrawTextA(dc, "Velvane", -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, old);
    EndPaint(Handle(), &paint);
}

LRESULT TAboutBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam == kShutdownTimerId) ShutdownTimerTimer();
            return 0;
        case WM_PAINT:
            Paint();
            return 0;
        default:
            return DefaultHandling(message, wParam, lParam);
    }
}

}  // namespace velvane
