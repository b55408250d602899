#include "app/startup_win.h"

#include <windows.h>

#include <exception>

#include "services/application_win.h"
#include "services/error_report.h"
#include "splash/about_box_win.h"
#include "win32/message_dialog_win.h"
#include "window/browser_window_win.h"

namespace velvane {
namespace {

// The application's handler of errors that no handler caught: always in English, always the
// end of the program.
void ReportUnexpectedError(std::exception_ptr error) {
    Application& application = Application::Instance();
    ShowErrorBox(application.Handle(), UnexpectedErrorReportText(ErrorMessageOf(error)));
    application.Terminate();
}

// Errors escaping the configuration and the window setup happen outside any window handler:
// they end the program at once with a stop box and exit code 1.
int ReportStartupFailure(std::exception_ptr error) {
    std::string text = ErrorKindAndMessageOf(error);
    MessageBoxA(nullptr, text.c_str(), "Anwendungsfehler", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
    return 1;
}

// Ends the application object's life on every way out of RunProgram, after the windows.
struct ApplicationScope {
    ApplicationScope() { Application::Instance().Initialize(); }
    ~ApplicationScope() { Application::Instance().Finalize(); }
};

}  // namespace

int RunProgram() {
    ApplicationScope applicationScope;
    Application& application = Application::Instance();
    application.SetTitle("Velvane");
    application.SetErrorHandler(&ReportUnexpectedError);

    TBrowserWindow mainWindow(application);
    mainWindow.Create();
    if (application.Terminated()) return 0;

    TAboutBox aboutBox(mainWindow);
    aboutBox.Create();
    mainWindow.SetAboutBox(&aboutBox);

    try {
        mainWindow.ReadLaunchSettings();
        if (application.Terminated()) return 0;
        mainWindow.SetupMainWindow();
        if (application.Terminated()) return 0;
    } catch (...) {
        return ReportStartupFailure(std::current_exception());
    }

    application.Run([&mainWindow] { mainWindow.Show(); });
    return 0;
}

}  // namespace velvane
