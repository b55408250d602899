// The control's own modal UI: the print dialog inside print(), the find dialog, the message box of
// a script's alert(). The platform's control runs each in a modal loop on the caller's stack,
// dispatching the thread's messages (the container's timers and close requests among them), and
// announces it to its host with EnableModeless(FALSE) before and EnableModeless(TRUE) after. A
// container that lets go of the control meanwhile frees it under its own feet: the log says so.

#include <string>

#include "standin/protocol.h"
#include "standin/standin.h"

namespace velvane::standin {

void Browser::AnnounceModal(bool enable) {
    Browser& top = *top_;
    const std::string state = enable ? "TRUE" : "FALSE";
    if (ComPtr<IDocHostUIHandler> handler = top.UIHandler()) {
        Log("<host IDocHostUIHandler::EnableModeless(" + state + ") -> " + HrText(handler->EnableModeless(enable)));
    }
    if (top.frame_) {
        Log("<host IOleInPlaceFrame::EnableModeless(" + state + ") -> " + HrText(top.frame_->EnableModeless(enable)));
    }
}

void Browser::RunModal(const char* what) {
    Browser& top = *top_;
    if (top.modalMs_ == 0) return;
    // The control keeps itself alive while its dialog is up, as it does while it raises an event.
    top.AddRef();
    ++top.selfHolds_;
    AnnounceModal(false);
    {
        ModalScope scope;
        Log(std::string(kModalBegin) + " " + what);
        const DWORD start = GetTickCount();
        bool quit = false;
        for (DWORD passed = 0; passed < top.modalMs_ && !quit; passed = GetTickCount() - start) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, top.modalMs_ - passed, QS_ALLINPUT);
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (message.message == WM_QUIT) {
                    // A dialog's loop ends on the quit request and leaves it for the outer loop.
                    PostQuitMessage(static_cast<int>(message.wParam));
                    quit = true;
                    break;
                }
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
        Log(std::string(kModalEnd) + " " + what + (quit ? " (quit request)" : ""));
    }
    AnnounceModal(true);
    --top.selfHolds_;
    top.Release();
}

// alert(): the host may show the message itself; when it declines (S_FALSE), the control shows
// its own box.
void Browser::ScriptAlert() {
    ComPtr<IDocHostShowUI> showUI = site_ ? site_.As<IDocHostShowUI>() : ComPtr<IDocHostShowUI>();
    HRESULT hr = S_FALSE;
    if (showUI) {
        wchar_t text[] = L"A message from the page";
        wchar_t caption[] = L"Message from webpage";
        LRESULT result = 0;
        EventScope scope;
        hr = showUI->ShowMessage(embedding_, text, caption, MB_OK | MB_ICONEXCLAMATION, nullptr, 0, &result);
    }
    Log("<host ShowMessage(alert) -> " + HrText(hr));
    if (hr != S_OK) RunModal("alert");
}

}  // namespace velvane::standin
