#include "splash/about_box_win.h"

#include <shellapi.h>

#include <vector>

#include "services/application_win.h"
#include "splash/about_box.h"
#include "splash/about_box_content.h"
#include "sysinfo/windows_version_win.h"
#include "win32/shell_win.h"

namespace velvane {
namespace {

constexpr char kAboutBoxClass[] = "TAboutBox";
constexpr char kLogoResource[] = "VelvaneSplashLogo";
constexpr UINT_PTR kShutdownTimerId = 1;
constexpr UINT kShutdownInterval = 500;  // ms

constexpr int kBoxWidth = 212;
constexpr int kSplashHeight = 50;
constexpr int kAboutHeight = 299;
constexpr RECT kLogoBounds{0, 0, kBoxWidth, kSplashHeight};
constexpr RECT kPanelBounds{0, kSplashHeight, kBoxWidth, kAboutHeight};

// The form's own font; the panel below the logo has its own.
constexpr char kFormFontFace[] = "MS Sans Serif";
constexpr int kFormFontHeight = 11;  // pixels

// For the life of a modal showing, disables every window the user could otherwise reach: the
// visible top-level windows of this thread (the main window among them) and the box's owner
// chain. Enables again on every way out the windows it disabled, and only those.
class ModalDisabling {
public:
    explicit ModalDisabling(HWND modal) : modal_(modal) {
        EnumThreadWindows(GetCurrentThreadId(), &ModalDisabling::DisableIfVisible,
                          reinterpret_cast<LPARAM>(this));
        for (HWND owner = GetWindow(modal, GW_OWNER); owner; owner = GetWindow(owner, GW_OWNER)) {
            Disable(owner);
        }
    }
    ~ModalDisabling() {
        for (HWND window : disabled_) {
            if (IsWindow(window))
                EnableWindow(window, TRUE);
        }
    }
    ModalDisabling(const ModalDisabling&) = delete;
    ModalDisabling& operator=(const ModalDisabling&) = delete;

private:
    static BOOL CALLBACK DisableIfVisible(HWND window, LPARAM self) {
        if (IsWindowVisible(window))
            reinterpret_cast<ModalDisabling*>(self)->Disable(window);
        return TRUE;
    }

    void Disable(HWND window) noexcept {
        if (window == modal_ || !IsWindowEnabled(window))
            return;
        try {
            disabled_.reserve(disabled_.size() + 1);
        } catch (...) {
            return;  // left enabled: a window it could not remember it must not disable
        }
        EnableWindow(window, FALSE);
        disabled_.push_back(window);
    }

    HWND modal_;
    std::vector<HWND> disabled_;
};

}  // namespace

TAboutBox::~TAboutBox() {
    // The logo control and the panel's controls use the bitmap and fonts: the windows go first.
    DestroyHandle();
}

void TAboutBox::Create() {
    CreateFor(GetWindowsVersionCode());
}

void TAboutBox::CreateFor(WindowsVersionCode version) {
    UINT classStyle = CS_DBLCLKS | (SupportsDropShadow(version) ? CS_DROPSHADOW : 0);
    // A class style belongs to the class, not to a window: the class is registered anew for this
    // box. Unregistering fails while another box of the class exists; that one's class stays.
    UnregisterClassA(kAboutBoxClass, GetModuleHandleA(nullptr));
    RegisterWindowClass(kAboutBoxClass, classStyle, GetSysColorBrush(COLOR_BTNFACE));
    CreateHandle(WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT, kAboutBoxClass, about_box::kCaption,
                 WS_POPUP | WS_CLIPCHILDREN, 0, 0, kBoxWidth, kAboutHeight,
                 Application::Instance().Handle());
    font_.reset(CreateFontA(-kFormFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                            DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, kFormFontFace));
}

void TAboutBox::CreateLogo() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    logoBitmap_.reset(static_cast<HBITMAP>(
        LoadImageA(instance, kLogoResource, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    // A picture control sized to its picture; without the picture it keeps the strip's size and
    // shows the button face.
    HWND logo = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_BITMAP,
                                kLogoBounds.left, kLogoBounds.top, kLogoBounds.right,
                                kLogoBounds.bottom, Handle(), nullptr, instance, nullptr);
    if (logo && logoBitmap_) {
        SendMessageA(logo, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(logoBitmap_.get()));
    }
}

void TAboutBox::CreatePanel() {
    AboutBoxPanel::Handlers handlers;
    handlers.okClick = [this] { OKButtonClick(); };
    handlers.cancel = [this] { Cancel(); };
    handlers.webLinkClick = [this] { Label5Click(); };
    handlers.mailLinkClick = [this] { Label7Click(); };
    panel_.Create(Handle(), kPanelBounds, std::move(handlers));
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

bool TAboutBox::Showing() const {
    return Handle() && IsWindowVisible(Handle());
}

void TAboutBox::PrepareFirstShowing() {
    if (shownBefore_)
        return;
    shownBefore_ = true;
    // The logo and the panel are made now rather than with the box: the start of the menu, which
    // creates the box, shows neither, and a menu may end without ever showing the box.
    CreateLogo();
    CreatePanel();
    // Centred by the height the box has now; later showings keep this top-left corner.
    RECT box;
    GetWindowRect(Handle(), &box);
    int left = (GetSystemMetrics(SM_CXSCREEN) - (box.right - box.left)) / 2;
    int top = (GetSystemMetrics(SM_CYSCREEN) - (box.bottom - box.top)) / 2;
    SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TAboutBox::ShowModeless() {
    // The closing sequence may begin while the box is open as the about box (a close request
    // that reached the disabled main window): the modal showing ends and the box stays up as
    // the splash strip.
    if (inModalLoop_)
        modalResult_ = kModalResultCancel;
    PrepareFirstShowing();
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    UpdateWindow(Handle());
}

int TAboutBox::ShowModal() {
    // One box cannot run two modal showings at once.
    if (inModalLoop_ || !Handle())
        return 0;
    modalResult_ = 0;
    PrepareFirstShowing();
    {
        ModalDisabling disabled(Handle());
        ShowWindow(Handle(), SW_SHOW);
        SetForegroundWindow(Handle());
        SetFocus(panel_.OkButton());
        inModalLoop_ = true;
        RunModalLoop();
        inModalLoop_ = false;
    }
    // The windows were enabled again before the box hides, so that the owner takes the activation
    // back. A box that became the closing splash meanwhile stays up.
    if (Handle() && !splash_)
        ShowWindow(Handle(), SW_HIDE);
    return modalResult_;
}

void TAboutBox::RunModalLoop() {
    // The application's own loop step, so that its message hook and the timers keep being
    // served underneath the box.
    Application& application = Application::Instance();
    while (modalResult_ == 0 && Handle() && !application.Terminated()) {
        if (!application.ProcessMessage()) {
            // This loop took the terminate request meant for the application's loop: put it back
            // so that the outer loop ends as well.
            PostQuitMessage(0);
            break;
        }
    }
}

void TAboutBox::EnableShutdownTimer() {
    // SetTimer on a running timer would restart its interval: repeated close requests must not
    // postpone the end of the closing sequence.
    if (shutdownTimerEnabled_)
        return;
    shutdownTimerEnabled_ = SetTimer(Handle(), kShutdownTimerId, kShutdownInterval, nullptr) != 0;
}

void TAboutBox::ShutdownTimerTimer() {
    // The last close request enables the timer once more; the main window is gone by its tick.
    if (!closing_.Open()) {
        KillTimer(Handle(), kShutdownTimerId);
        shutdownTimerEnabled_ = false;
        return;
    }
    const ClosingTick tick = NextClosingTick(closing_.CloseTicks());
    closing_.CloseTicks() = tick.closeTicks;
    closeConfirmed = tick.closeConfirmed;
    if (!closeConfirmed)
        return;
    KillTimer(Handle(), kShutdownTimerId);
    shutdownTimerEnabled_ = false;
    closing_.Close();
}

void TAboutBox::OpenLink(const char* target) {
    // The shell's answer is not examined: a link it cannot open closes the box all the same.
    ShellOpen(Application::Instance().Handle(), target);
    modalResult_ = kModalResultOk;
}

void TAboutBox::Label5Click() {
    OpenLink(about_box::kWebAddress);
}

void TAboutBox::Label7Click() {
    OpenLink(about_box::kMailTarget);
}

void TAboutBox::OKButtonClick() {
    modalResult_ = kModalResultOk;
}

void TAboutBox::Cancel() {
    modalResult_ = kModalResultCancel;
}

bool TAboutBox::DialogKey(WPARAM key) {
    if (splash_)
        return false;
    if (key == VK_RETURN)
        OKButtonClick();
    if (key == VK_ESCAPE)
        Cancel();
    return key == VK_RETURN || key == VK_ESCAPE;
}

void TAboutBox::Activated() {
    // The OK button is the only control that takes the focus.
    if (!splash_ && panel_.OkButton())
        SetFocus(panel_.OkButton());
}

LRESULT TAboutBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam == kShutdownTimerId)
                ShutdownTimerTimer();
            return 0;
        case WM_KEYDOWN:
            if (DialogKey(wParam))
                return 0;
            break;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE)
                Activated();
            return 0;
        case WM_SETFOCUS:
            // Like a dialog, the box hands the focus on to its button: the window system may
            // give it to the box itself when it activates the box on its own (under X11, when
            // the focus comes back from another program).
            Activated();
            return 0;
        case WM_MOUSEACTIVATE:
            // The splash strip never takes the activation from whatever the user works in.
            if (splash_)
                return MA_NOACTIVATE;
            break;
        case WM_CLOSE:
            // Alt+F4 ends a modal showing; otherwise the box only hides (it is never destroyed
            // before the main window).
            if (inModalLoop_) {
                Cancel();
            } else {
                ShowWindow(Handle(), SW_HIDE);
            }
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_.get());
        default:
            break;
    }
    return DefaultHandling(message, wParam, lParam);
}

}  // namespace velvane
