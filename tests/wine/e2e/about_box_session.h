#pragma once
// autostart.exe running on the smallest sample disc (an autorun.inf and a start page), with what
// the about box and closing-sequence tests read and do from outside.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "driver/driver.h"
#include "driver/driver_more.h"
#include "e2e/sample_disc.h"

namespace velvane::e2e {

inline constexpr DWORD kWindowTimeout = 15000;
inline constexpr DWORD kExitTimeout = 15000;
// A negative check (nothing opens, nothing ends) looks this long.
inline constexpr DWORD kQuietPeriod = 700;

inline constexpr WPARAM kAboutCommand = 65535;
inline constexpr int kBoxWidth = 212;
inline constexpr int kAboutHeight = 299;
inline constexpr int kSplashHeight = 50;

inline int Width(const RECT& r) {
    return r.right - r.left;
}
inline int Height(const RECT& r) {
    return r.bottom - r.top;
}

// Where a window of this size lies when it is centred on the screen.
inline POINT CentredTopLeft(int width, int height) {
    return {(GetSystemMetrics(SM_CXSCREEN) - width) / 2,
            (GetSystemMetrics(SM_CYSCREEN) - height) / 2};
}

class AboutBoxSession {
public:
    // `programName`: the name the program runs under (per-program Wine settings key on it).
    explicit AboutBoxSession(const driver::Environment& extra = {},
                             const std::string& programName = "autostart.exe")
        : disc_(programName) {
        disc_.Write("autorun.inf",
                    "[autorun]\r\nopen=autostart.exe\r\n[velvane]\r\nstartpage=index.html\r\n");
        program_ = disc_.Start(extra);
        std::optional<driver::WindowInfo> window =
            driver::WaitForWindowOfClass(program_.Id(), "TBrowserWindow", kWindowTimeout);
        if (window) mainWindow_ = window->hwnd;
        std::optional<driver::WindowInfo> app =
            driver::FindWindowOfClass(program_.Id(), "TVelvaneApplication");
        if (app) applicationWindow_ = app->hwnd;
        std::optional<driver::WindowInfo> box =
            driver::FindWindowOfClass(program_.Id(), "TAboutBox");
        if (box) box_ = box->hwnd;
    }

    // Everything a test needs was found: the main window shown, the box created hidden (its
    // logo and panel follow when it is first shown).
    bool Ready() const { return mainWindow_ && applicationWindow_ && box_; }

    const driver::Process& Program() const { return program_; }
    const std::string& Folder() const { return disc_.Folder(); }
    HWND MainWindow() const { return mainWindow_; }
    HWND ApplicationWindow() const { return applicationWindow_; }
    HWND Box() const { return box_; }
    driver::WindowInfo ReadBox() const { return driver::ReadWindow(box_); }

    bool WaitForBoxShown() const {
        return driver::WaitUntil([&] { return IsWindowVisible(box_) != FALSE; }, kWindowTimeout);
    }
    bool WaitForBoxHidden() const {
        return driver::WaitUntil([&] { return !IsWindowVisible(box_); }, kWindowTimeout);
    }
    // The box has not been shown for the whole quiet period.
    bool BoxStaysHidden() const {
        return !driver::WaitUntil([&] { return IsWindowVisible(box_) != FALSE; }, kQuietPeriod);
    }

    // A child of the box's panel by its control id.
    HWND PanelControl(int id) const {
        HWND panel = FindWindowExA(box_, nullptr, "TAboutBoxPanel", nullptr);
        return panel ? GetDlgItem(panel, id) : nullptr;
    }

    void PostAboutCommand(HWND target) const {
        PostMessageA(target, WM_SYSCOMMAND, kAboutCommand, 0);
    }
    // Delivered straight to the window procedure, past the message queue and the application's
    // message hook; returns at once, while the box runs its modal loop.
    void SendAboutCommand(HWND target) const {
        SendNotifyMessageA(target, WM_SYSCOMMAND, kAboutCommand, 0);
    }

private:
    SampleDisc disc_;
    driver::Process program_;
    HWND mainWindow_ = nullptr;
    HWND applicationWindow_ = nullptr;
    HWND box_ = nullptr;
};

}  // namespace velvane::e2e
