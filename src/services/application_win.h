#pragma once
// The application object: one per process. It owns the hidden application window (the task-bar
// button's window), the title, the handler of errors that nobody handled, the message hook and
// the message loop with its terminate request.

#include <windows.h>

#include <exception>
#include <functional>
#include <string>

#include "win32/window_win.h"

namespace velvane {

class Application : private Window {
public:
    using ErrorHandler = std::function<void(std::exception_ptr)>;
    // Sees every message the loop takes from the queue before it is dispatched; returns true
    // when it handled the message, which is then not dispatched.
    using MessageHook = std::function<bool(MSG&)>;

    static Application& Instance();

    // Initialises COM for the thread and creates the application window.
    void Initialize();
    // Destroys the application window and balances Initialize's COM initialisation.
    void Finalize();

    void SetTitle(const std::string& title);
    const std::string& Title() const { return title_; }
    HWND Handle() const { return Window::Handle(); }

    void SetErrorHandler(ErrorHandler handler) { errorHandler_ = std::move(handler); }
    void SetMessageHook(MessageHook hook) { messageHook_ = std::move(hook); }

    // Passes an error that escaped a handler to the error handler.
    void HandleError(std::exception_ptr error);

    // Requests termination: the loop ends when it takes the request from the queue; the
    // caller runs on to its end.
    void Terminate();
    bool Terminated() const { return terminated_; }

    // The main window is the application's first window; its task-bar button is the
    // application window's, which is shown with it.
    void SetMainWindow(HWND mainWindow) { mainWindow_ = mainWindow; }
    HWND MainWindow() const { return mainWindow_; }

    // Calls `showMainWindow`, then takes and dispatches messages until terminated.
    void Run(const std::function<void()>& showMainWindow);

    // Takes and dispatches one message (waiting for one); false once the terminate request
    // was taken.
    bool ProcessMessage();

private:
    Application() = default;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    std::string title_;
    ErrorHandler errorHandler_;
    MessageHook messageHook_;
    HWND mainWindow_ = nullptr;
    bool terminated_ = false;
    bool comInitialized_ = false;
};

}  // namespace velvane
