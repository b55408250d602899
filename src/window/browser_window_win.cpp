#include "window/browser_window_win.h"

#include <algorithm>

#include "browserhost/ie_utils_win.h"
#include "config/profile_reader.h"
#include "core/error.h"
#include "services/application_win.h"
#include "services/message_catalogue.h"
#include "splash/about_box_win.h"
#include "win32/exception_edge_win.h"
#include "win32/file_system_win.h"
#include "win32/message_dialog_win.h"
#include "window/browser_window.h"

namespace velvane {
namespace {

constexpr char kWindowClass[] = "TBrowserWindow";

// The window as designed; setup from the launch settings changes what it names.
constexpr int kDesignLeft = 232;
constexpr int kDesignTop = 206;
constexpr int kDesignWidth = 341;
constexpr int kDesignHeight = 262;
constexpr char kDesignCaption[] = "Velvane";
constexpr DWORD kDesignStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr int kDesignImageSize = 32;

}  // namespace

TBrowserWindow::~TBrowserWindow() = default;

void TBrowserWindow::Create() {
    RegisterWindowClass(kWindowClass, CS_DBLCLKS, GetSysColorBrush(COLOR_BTNFACE));
    CreateHandle(0, kWindowClass, kDesignCaption, kDesignStyle, kDesignLeft, kDesignTop,
                 kDesignWidth, kDesignHeight, application_.Handle());
    application_.SetMainWindow(Handle());
    programFolder_ = ProgramFolder();
    CreateComponents();
    RunGuarded([this] { FormCreate(); });
}

void TBrowserWindow::CreateComponents() {
    buttonImageList_.reset(
        ImageList_Create(kDesignImageSize, kDesignImageSize, ILC_COLOR24 | ILC_MASK, 0, 4));
    // Flat, on the top edge, sized to its buttons, hidden until a toolbar is configured.
    buttonToolBar_ =
        CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr,
                        WS_CHILD | WS_CLIPSIBLINGS | TBSTYLE_FLAT | CCS_TOP | CCS_NODIVIDER, 0, 0,
                        0, 0, Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!buttonToolBar_) throw Error("The tool bar cannot be created.");
    SendMessageA(buttonToolBar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(buttonToolBar_, TB_SETIMAGELIST, 0,
                 reinterpret_cast<LPARAM>(buttonImageList_.get()));
    SendMessageA(buttonToolBar_, TB_SETBUTTONSIZE, 0,
                 MAKELPARAM(kDesignImageSize + 7, kDesignImageSize + 6));

    ImageShapeDesign skinDesign;
    skinDesign.bounds = {0, 0, 105, 105};
    skinDesign.autoSize = true;
    skinDesign.movable = true;
    imageShaper_ = std::make_unique<TImageShape>(Handle(), skinDesign);
    // The window sizes itself to the skin before the skin's region is measured against it.
    imageShaper_->OnBoundsChanged = [this](TImageShape&) { FitToContent(); };
}

void TBrowserWindow::FitToContent() {
    if (!autoSize_) return;
    RECT content = imageShaper_->BoundsRect();
    RECT frame{0, 0, content.right, content.bottom};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(Handle(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(Handle(), GWL_EXSTYLE)));
    SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TBrowserWindow::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Handle(), &paint);
    if (imageShaper_) imageShaper_->Paint(dc);
    EndPaint(Handle(), &paint);
}

// The skin has no window of its own: it gets the mouse through the main window.
bool TBrowserWindow::OnMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    return imageShaper_ && imageShaper_->RouteMouseMessage(message, wParam, lParam);
}

void TBrowserWindow::RecreateHandle() {
    // The window gets a new handle with the same text, frame and place; its children are
    // created again on it. Only the old handle's destruction is no reason to end the program.
    char caption[512] = {};
    GetWindowTextA(Handle(), caption, sizeof caption);
    RECT rect;
    GetWindowRect(Handle(), &rect);
    DWORD style = static_cast<DWORD>(GetWindowLongA(Handle(), GWL_STYLE)) & ~WS_VISIBLE;
    DWORD exStyle = static_cast<DWORD>(GetWindowLongA(Handle(), GWL_EXSTYLE));
    recreating_ = true;
    DestroyHandle();
    recreating_ = false;
    buttonToolBar_ = nullptr;
    imageShaper_.reset();
    CreateHandle(exStyle, kWindowClass, caption, style, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, application_.Handle());
    application_.SetMainWindow(Handle());
    CreateComponents();
}

void TBrowserWindow::FormCreate() {
    language = LanguageForLangId(GetUserDefaultLangID());
    // The browser gets the first look at keys meant for the page (tab, arrows, clipboard keys):
    // it is an in-place object and sees no keyboard messages of its own otherwise.
    application_.SetMessageHook([this](MSG& message) {
        return AboutMenuHook(message) || (browser && browser->TranslateAccelerator(message));
    });
    // A version text that does not parse is a browser too old, not an error.
    useExternalBrowser = UseExternalBrowserFor(GetIEVersion());
}

std::string TBrowserWindow::GetMessageText(std::int32_t id, const std::string& argument) const {
    return velvane::GetMessageText(language, id, argument);
}

void TBrowserWindow::ShowError(std::int32_t id, const std::string& argument) const {
    ShowErrorBox(application_.Handle(), GetMessageText(id, argument));
}

void TBrowserWindow::Close() {
    // The sequence starts at once, also under a call into the browser or from it (a close
    // address, a script's window.close(), a close request while the print dialog or a message
    // box is up): the window hides and the strip shows. Only its end waits for the call.
    bool canClose = true;
    FormCloseQuery(canClose);
    if (!canClose) return;
    CloseAction action = CloseAction::Hide;
    FormClose(action);
    switch (action) {
        case CloseAction::Free:
            // Destroying the window tears the browser down and requests termination.
            endDeferred_ = true;
            RunDeferredWork();
            break;
        case CloseAction::Hide:
            ShowWindow(Handle(), SW_HIDE);
            break;
        case CloseAction::None:
            break;
    }
}

// The closing sequence: hide at once, keep the splash strip on top for a few timer ticks, and
// only then close for good (the about box's timer asks again with closeConfirmed set).
void TBrowserWindow::FormCloseQuery(bool& /*canClose*/) {
    if (IsZoomed(Handle())) ShowWindow(Handle(), SW_RESTORE);
    ShowWindow(Handle(), SW_HIDE);
    if (!aboutBox_) return;
    aboutBox_->ShowAsSplash(true);
    aboutBox_->SetStayOnTop(true);
    aboutBox_->ShowModeless();
    aboutBox_->EnableShutdownTimer();
}

void TBrowserWindow::FormClose(CloseAction& action) {
    bool confirmed = aboutBox_ == nullptr || aboutBox_->closeConfirmed;
    action = confirmed ? CloseAction::Free : CloseAction::None;
}

bool TBrowserWindow::AboutMenuHook(MSG& message) {
    // The whole wParam is compared: the low four bits of a system command are not masked.
    if (message.message != WM_SYSCOMMAND || message.wParam != kAboutCommandId) return false;
    ShowAboutModal();
    return true;
}

void TBrowserWindow::WMSysCommand(WPARAM command, LPARAM lParam) {
    if (command == kAboutCommandId) ShowAboutModal();
    if ((command & 0xFFF0) == SC_MINIMIZE) {
        // Minimising the application window hides its owned main window with it, and the
        // task-bar button restores both.
        ShowWindow(application_.Handle(), SW_MINIMIZE);
        return;
    }
    DefaultHandling(WM_SYSCOMMAND, command, lParam);
}

void TBrowserWindow::ShowAboutModal() {
    // While the box is up the command is ignored. Open as the about box, it already is what the
    // command asks for, and a second modal showing of one window cannot nest. Up as the closing
    // splash, the program is ending: turning the strip into the modal about box would hold the
    // end up (or show a box that vanishes under the user's hand), so the splash stays as it is
    // and its timer ends the process.
    if (!aboutBox_ || aboutBox_->Showing()) return;
    aboutBox_->ShowAsSplash(false);
    aboutBox_->SetStayOnTop(true);
    aboutBox_->ShowModal();
}

LRESULT TBrowserWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
    UINT id = LOWORD(wParam);
    if (reinterpret_cast<HWND>(lParam) == buttonToolBar_ && id >= kFirstToolCommand &&
        id - kFirstToolCommand < toolButtonCaptions_.size()) {
        ToolButtonClick(toolButtonCaptions_[id - kFirstToolCommand]);
        return 0;
    }
    return DefaultHandling(WM_COMMAND, wParam, lParam);
}

LRESULT TBrowserWindow::OnNotify(LPARAM lParam) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->hwndFrom == buttonToolBar_ && header->code == NM_CUSTOMDRAW) {
        // The tool bar has a border on its bottom edge only, under the buttons.
        auto* draw = reinterpret_cast<NMTBCUSTOMDRAW*>(lParam);
        if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYPOSTPAINT;
        if (draw->nmcd.dwDrawStage == CDDS_POSTPAINT) {
            RECT bar;
            GetClientRect(buttonToolBar_, &bar);
            DrawEdge(draw->nmcd.hdc, &bar, EDGE_ETCHED, BF_BOTTOM);
        }
        return CDRF_DODEFAULT;
    }
    return 0;
}

void TBrowserWindow::LayOutChildren() {
    int top = 0;
    // The tool bar's own visibility counts, not whether its still hidden parent is shown.
    if (buttonToolBar_ && (GetWindowLongA(buttonToolBar_, GWL_STYLE) & WS_VISIBLE)) {
        SendMessageA(buttonToolBar_, TB_AUTOSIZE, 0, 0);
        RECT bar;
        GetWindowRect(buttonToolBar_, &bar);
        top = bar.bottom - bar.top;
    }
    if (browser && browserFillsClient_) {
        RECT client;
        GetClientRect(Handle(), &client);
        browser->SetBounds(0, top, client.right, std::max<int>(0, client.bottom - top));
    }
}

// The page gets the keys whenever the window is activated (after Alt+Tab, a message box, a
// click on the caption); the browser hears that its frame window was activated or left.
void TBrowserWindow::OnActivate(WPARAM wParam) {
    if (!browser) return;
    bool active = LOWORD(wParam) != WA_INACTIVE;
    browser->FrameWindowActivated(active);
    if (active && !HIWORD(wParam)) browser->FocusPage();
}

LRESULT TBrowserWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            Close();
            return 0;
        case WM_SYSCOMMAND:
            WMSysCommand(wParam, lParam);
            return 0;
        case WM_DESTROY:
            if (!recreating_) application_.Terminate();
            return 0;
        case WM_COMMAND:
            return OnCommand(wParam, lParam);
        case WM_ACTIVATE:
            OnActivate(wParam);
            if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam) && browser && browser->Handle())
                return 0;  // the page has the focus, not the window
            return DefaultHandling(message, wParam, lParam);
        case kRunDeferredWork:
            RunDeferredWork();
            return 0;
        case WM_NOTIFY:
            return OnNotify(lParam);
        case WM_TIMER:
            if (wParam == kFadeTimerId) FadeTimerTimer();
            return 0;
        case WM_SIZE:
            LayOutChildren();
            return DefaultHandling(message, wParam, lParam);
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_RBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
        case WM_MBUTTONUP:
        case WM_MOUSEMOVE:
        case WM_CAPTURECHANGED:
            if (OnMouse(message, wParam, lParam)) return 0;
            return DefaultHandling(message, wParam, lParam);
        default:
            return DefaultHandling(message, wParam, lParam);
    }
}

}  // namespace velvane
