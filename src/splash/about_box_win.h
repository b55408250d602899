#pragma once
// TAboutBox: the borderless about box, and in its compact form the splash strip shown while the
// program closes. Its ShutdownTimer drives the closing sequence.

#include <windows.h>

#include "win32/window_win.h"

namespace velvane {

class TBrowserWindow;

class TAboutBox : public Window {
public:
    explicit TAboutBox(TBrowserWindow& mainWindow) : mainWindow_(mainWindow) {}

    // Creates the box hidden, with its timer disabled.
    void Create();

    // true: the compact form, the logo strip only; false: the full about form.
    void ShowAsSplash(bool splash);
    void SetStayOnTop(bool onTop);
    void ShowModeless();
    void ShowModal();
    void EnableShutdownTimer();

    // Set by the third timer tick: the main window may now really close.
    bool closeConfirmed = false;

private:
    void ShutdownTimerTimer();
    void Paint();
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    TBrowserWindow& mainWindow_;
    bool splash_ = false;
    bool shownBefore_ = false;
};

}  // namespace velvane
