#include "services/application_win.h"

#include <commctrl.h>
#include <objbase.h>

#include "win32/exception_edge_win.h"

namespace velvane {
namespace {

constexpr char kApplicationClass[] = "TVelvaneApplication";

}  // namespace

Application& Application::Instance() {
    static Application application;
    return application;
}

void Application::Initialize() {
    comInitialized_ = SUCCEEDED(CoInitialize(nullptr));
    // The tool bar's class, asked for with a flag the oldest common controls (4.70) know: they
    // refuse the whole call for one they do not. Should it be refused all the same, the older
    // call registers the bars too.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    if (!InitCommonControlsEx(&controls))
        InitCommonControls();
    SetExceptionSink([this](std::exception_ptr error) { HandleError(error); });
    RegisterWindowClass(kApplicationClass, 0, nullptr);
    // A zero-sized popup with a caption: invisible itself, but the owner of the main window and
    // the window the task bar shows a button for.
    int centreX = GetSystemMetrics(SM_CXSCREEN) / 2;
    int centreY = GetSystemMetrics(SM_CYSCREEN) / 2;
    CreateHandle(0, kApplicationClass, title_.c_str(),
                 WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, centreX,
                 centreY, 0, 0, nullptr);
}

void Application::Finalize() {
    DestroyHandle();
    SetExceptionSink(nullptr);
    if (comInitialized_) CoUninitialize();
    comInitialized_ = false;
}

void Application::SetTitle(const std::string& title) {
    title_ = title;
    if (Handle()) SetWindowTextA(Handle(), title_.c_str());
}

void Application::HandleError(std::exception_ptr error) {
    if (errorHandler_) {
        errorHandler_(error);
    } else {
        Terminate();
    }
}

void Application::Terminate() {
    terminated_ = true;
    PostQuitMessage(0);
}

void Application::Run(const std::function<void()>& showMainWindow) {
    RunGuarded(showMainWindow);
    while (ProcessMessage()) {
    }
}

bool Application::ProcessMessage() {
    MSG message;
    BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) {
        terminated_ = true;
        return false;
    }
    bool handled = false;
    if (messageHook_) RunGuarded([&] { handled = messageHook_(message); });
    if (!handled) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}

LRESULT Application::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SYSCOMMAND:
            // The task-bar button restores and minimises the main window with this one.
            if ((wParam & 0xFFF0) == SC_RESTORE && mainWindow_) {
                LRESULT result = DefaultHandling(message, wParam, lParam);
                SetForegroundWindow(mainWindow_);
                return result;
            }
            break;
        case WM_CLOSE:
            if (mainWindow_) {
                PostMessageA(mainWindow_, WM_CLOSE, 0, 0);
                return 0;
            }
            break;
        default:
            break;
    }
    return DefaultHandling(message, wParam, lParam);
}

}  // namespace velvane
