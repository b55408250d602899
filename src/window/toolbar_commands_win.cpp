// What the tool buttons do, by the command word each carries.

#include <windows.h>
#include <mshtml.h>

#include "services/error_report.h"
#include "services/message_catalogue.h"
#include "win32/com_error_win.h"
#include "window/browser_window_win.h"
#include "window/toolbar_commands.h"

namespace velvane {

void TBrowserWindow::ToolButtonClick(const std::string& caption) {
    switch (ToolCommandFor(caption)) {
        case ToolCommand::Exit:
            Close();
            break;
        case ToolCommand::Print:
            PrintDocument();
            break;
        case ToolCommand::GoBack:
            if (canGoBack && browser) browser->GoBack();
            break;
        case ToolCommand::GoForward:
            if (canGoForward && browser) browser->GoForward();
            break;
        case ToolCommand::GoHome:
            if (browser) browser->Navigate(programFolder_ + settings.startPage);
            break;
        case ToolCommand::Search:
            if (browser) browser->ShowFindDialog();
            break;
        case ToolCommand::Copy:
            if (browser) browser->CopySelection();
            break;
        case ToolCommand::None:
            break;
    }
}

// The page's own print function, which shows the browser's print dialog. Every failure is an
// error for the application's report; with no page at all it reads "cannot be printed".
void TBrowserWindow::PrintDocument() {
    ComPtr<IDispatch> document = browser ? browser->Document() : ComPtr<IDispatch>();
    if (!document) throw ApplicationError(GetMessageText(kMsgCannotPrint));
    // print() runs the print dialog's modal loop inside the call: no teardown until it returns.
    TWebHost::CallScope call(*browser);
    ComPtr<IHTMLDocument2> htmlDocument = document.As<IHTMLDocument2>();
    if (!htmlDocument) OleCheck(E_NOINTERFACE);
    ComPtr<IHTMLWindow2> pageWindow;
    OleCheck(htmlDocument->get_parentWindow(pageWindow.put()));
    if (!pageWindow) OleCheck(E_POINTER);
    ComPtr<IHTMLWindow3> printable = pageWindow.As<IHTMLWindow3>();
    if (!printable) OleCheck(E_NOINTERFACE);
    OleCheck(printable->print());
}

void TBrowserWindow::WebHostCommandStateChange(std::int32_t command, bool enabled) {
    HistoryState history{canGoBack, canGoForward};
    ApplyCommandStateChange(history, command, enabled);
    canGoBack = history.canGoBack;
    canGoForward = history.canGoForward;
}

}  // namespace velvane
