// Setting the main window up from the launch settings, once, before it is first shown.

#include "services/application_win.h"
#include "services/message_catalogue.h"
#include "sysinfo/windows_version_win.h"
#include "win32/file_system_win.h"
#include "window/browser_window_win.h"
#include "window/setup.h"

namespace velvane {
namespace {

void SetWindowBounds(HWND window, int left, int top, int width, int height) {
    SetWindowPos(window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

}  // namespace

// Every step may stop start-up: it shows its message, requests termination and returns, and
// no later step runs.
void TBrowserWindow::SetupMainWindow() {
    ApplyDropShadow();
    if (!CheckRequirements()) return;
    closeTicks = 0;
    LoadSkin();
    ApplyBorder();
    if (!ApplySizeAndPosition()) return;
    StartIntroMusic();
    BuildToolbar();
}

void TBrowserWindow::Stop(std::int32_t messageId, const std::string& argument) {
    ShowError(messageId, argument);
    application_.Terminate();
}

// The drop shadow is a class style: it takes effect for windows created after it is set, so the
// window is created anew.
void TBrowserWindow::ApplyDropShadow() {
    if (!settings.dropShadow || !SupportsDropShadow(GetWindowsVersionCode())) return;
    DWORD style = GetClassLongA(Handle(), GCL_STYLE);
    SetClassLongA(Handle(), GCL_STYLE, static_cast<LONG>(style | CS_DROPSHADOW));
    RecreateHandle();
}

void TBrowserWindow::LoadSkin() {
    std::string path = programFolder_ + settings.skin;
    if (!FileExists(path)) return;
    autoSize_ = true;
    // A file that is no readable picture throws, and start-up ends with the application error.
    imageShaper_->LoadPictureFromFile(path);
}

// A named skin (even a missing one) keeps the designed frame: the skin's region cuts it away.
void TBrowserWindow::ApplyBorder() {
    if (!settings.skin.empty()) return;
    DWORD style = static_cast<DWORD>(GetWindowLongA(Handle(), GWL_STYLE));
    DWORD exStyle = static_cast<DWORD>(GetWindowLongA(Handle(), GWL_EXSTYLE));
    constexpr DWORD kFrameStyles = WS_OVERLAPPEDWINDOW | WS_POPUP | WS_DLGFRAME | WS_BORDER;
    switch (FrameForBorderStyle(settings.borderStyle)) {
        case FrameKind::Sizeable:
            return;
        case FrameKind::None:
            style = (style & ~kFrameStyles) | WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX;
            exStyle &= ~(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE);
            break;
        case FrameKind::Dialog:
            style = (style & ~kFrameStyles) | WS_CAPTION | WS_SYSMENU;
            exStyle |= WS_EX_DLGMODALFRAME;
            break;
    }
    SetWindowLongA(Handle(), GWL_STYLE, static_cast<LONG>(style));
    SetWindowLongA(Handle(), GWL_EXSTYLE, static_cast<LONG>(exStyle));
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TBrowserWindow::ApplySizeAndPosition() {
    const WindowSizing sizing = SizingFor(settings.fullScreen, settings.skin);
    if (sizing.maximise) maximised_ = true;
    if (sizing.resize) {
        RECT r = WindowRect(Handle());
        SetWindowBounds(Handle(), r.left, r.top, r.right - r.left, settings.windowHeight);
        r = WindowRect(Handle());
        SetWindowBounds(Handle(), r.left, r.top, settings.windowWidth, r.bottom - r.top);
    }
    if (!sizing.place) return true;
    // The window's size as it is now: for a skinned window the size the skin gave it.
    RECT r = WindowRect(Handle());
    const Size size{r.right - r.left, r.bottom - r.top};
    const WindowPlacement place =
        PlaceWindow(settings.windowPosition,
                    {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, size);
    if (place.centred) {
        SetWindowBounds(Handle(), *place.left, *place.top, size.width, size.height);
        return true;
    }
    if (place.left) SetWindowBounds(Handle(), *place.left, r.top, size.width, size.height);
    if (!place.Valid()) {
        Stop(kMsgWindowPosition);
        return false;
    }
    SetWindowBounds(Handle(), *place.left, *place.top, size.width, size.height);
    return true;
}

}  // namespace velvane
