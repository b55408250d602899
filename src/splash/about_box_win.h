#pragma once
// TAboutBox: the borderless about box, and in its compact form the splash strip shown while the
// program closes. Its ShutdownTimer drives the closing sequence.
//
// The box is created once, hidden, right after the main window, and lives until the end. Like
// the main window it is owned by the application window, so it does not depend on the main
// window's handle; a modal showing disables every window the user could otherwise reach.

#include <windows.h>

#include "splash/about_box_panel_win.h"
#include "sysinfo/windows_version.h"
#include "win32/unique_handle_win.h"
#include "win32/window_win.h"

namespace velvane {

// The window whose closing the box times, as the box sees it: the box counts the window's ticks
// and asks it to close again once the count is reached. The main window is one.
class ClosingWindow {
public:
    virtual bool Open() const = 0;  // false once the window is gone
    virtual std::int32_t& CloseTicks() = 0;
    virtual void Close() = 0;

protected:
    ~ClosingWindow() = default;
};


class TAboutBox : public Window {
public:
    // Modal results of a modal showing.
    static constexpr int kModalResultOk = IDOK;
    static constexpr int kModalResultCancel = IDCANCEL;

    explicit TAboutBox(ClosingWindow& closing) : closing_(closing) {}
    ~TAboutBox() override;

    // Creates the box hidden, with its timer disabled; its window class carries the drop shadow
    // where the running Windows release has one. The logo and the panel follow when the box is
    // first shown.
    void Create();
    // The same as on the given Windows release (tests try both class styles in one process).
    void CreateFor(WindowsVersionCode version);

    // true: the compact form, the logo strip only (50 pixels high); false: the full about form
    // (299 pixels). Changes the height only; the top-left corner stays where it is.
    void ShowAsSplash(bool splash);
    void SetStayOnTop(bool onTop);
    // Shows the box without activating it and returns at once (the closing splash).
    void ShowModeless();
    // Shows the box, disables its owner and serves the application's messages until the box has
    // a modal result, which it returns. Asking while the box is already modal returns 0 at once.
    int ShowModal();
    // Starts the 500 ms ShutdownTimer; enabling it while it runs changes nothing.
    void EnableShutdownTimer();

    // Visible in either form.
    bool Showing() const;
    bool InModalLoop() const { return inModalLoop_; }

    // Click handlers of the two link labels: hand the address to the shell, then close a modal
    // showing with the modal result OK.
    void Label5Click();
    void Label7Click();

    // Set by the third timer tick: the main window may now really close.
    bool closeConfirmed = false;

private:
    void CreateLogo();
    void CreatePanel();
    void PrepareFirstShowing();
    void RunModalLoop();
    void OpenLink(const char* target);
    void OKButtonClick();
    void Cancel();
    void ShutdownTimerTimer();

    bool DialogKey(WPARAM key);
    void Activated();
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    ClosingWindow& closing_;
    AboutBoxPanel panel_;
    GdiBitmap logoBitmap_;  // shown by the logo control, so it outlives the box's window
    GdiFont font_;
    bool splash_ = false;
    bool shownBefore_ = false;
    bool shutdownTimerEnabled_ = false;
    bool inModalLoop_ = false;
    int modalResult_ = 0;
};

}  // namespace velvane
