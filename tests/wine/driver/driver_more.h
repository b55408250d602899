#pragma once
// More of the test driver: child controls, the keyboard focus, clicks and key presses from
// outside, waiting for a condition, and per-program Wine settings in the registry.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "driver/driver.h"

namespace velvane::driver {

// Waits until `condition` holds, pumping this thread's messages; false after the timeout.
inline bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Pause(20);
    }
}

// The first top-level window of class `className` that belongs to `pid`, visible or not.
inline std::optional<WindowInfo> FindWindowOfClass(DWORD pid, const std::string& className) {
    for (HWND hwnd : TopLevelWindows(pid)) {
        WindowInfo info = ReadWindow(hwnd);
        if (info.className == className) return info;
    }
    return std::nullopt;
}

struct ChildInfo {
    WindowInfo window;
    int id = 0;
    // Position and size relative to the parent's client area.
    RECT bounds{};
};

// The direct children of `parent`, in z-order (the order of the tab sequence).
inline std::vector<ChildInfo> Children(HWND parent) {
    std::vector<ChildInfo> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        ChildInfo info;
        info.window = ReadWindow(child);
        info.id = GetDlgCtrlID(child);
        info.bounds = info.window.rect;
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&info.bounds), 2);
        children.push_back(info);
    }
    return children;
}

inline std::optional<ChildInfo> ChildWithId(HWND parent, int id) {
    for (const ChildInfo& child : Children(parent)) {
        if (child.id == id) return child;
    }
    return std::nullopt;
}

// The window with the keyboard focus in the thread that owns `anyWindowOfThread`.
inline HWND FocusedWindow(HWND anyWindowOfThread) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    DWORD thread = GetWindowThreadProcessId(anyWindowOfThread, nullptr);
    if (!GetGUIThreadInfo(thread, &info)) return nullptr;
    return info.hwndFocus;
}

// A click of the left mouse button in the middle of `control`, posted as the mouse would.
inline void Click(HWND control) {
    RECT client{};
    GetClientRect(control, &client);
    LPARAM at = MAKELPARAM(client.right / 2, client.bottom / 2);
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(control, WM_LBUTTONUP, 0, at);
}

// A key pressed and released while `target` has the focus.
inline void PressKey(HWND target, UINT key) {
    UINT scan = MapVirtualKeyA(key, 0);
    PostMessageA(target, WM_KEYDOWN, key, MAKELPARAM(1, scan));
    PostMessageA(target, WM_KEYUP, key, MAKELPARAM(1, scan | KF_REPEAT | KF_UP));
}

// Alt+F4 while `target` has the focus: the system key with the Alt context bit set.
inline void PressAltF4(HWND target) {
    UINT scan = MapVirtualKeyA(VK_F4, 0);
    PostMessageA(target, WM_SYSKEYDOWN, VK_F4, MAKELPARAM(1, scan | KF_ALTDOWN));
    PostMessageA(target, WM_SYSKEYUP, VK_F4, MAKELPARAM(1, scan | KF_ALTDOWN | KF_REPEAT | KF_UP));
}

// The colour on the screen at (x, y), as a person would see it; CLR_INVALID when unreadable.
inline COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    if (!screen) return CLR_INVALID;
    COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
}

// Each channel of the two colours differs by at most `tolerance`.
inline bool ColoursClose(COLORREF a, COLORREF b, int tolerance) {
    auto within = [&](int x, int y) { return x - y <= tolerance && y - x <= tolerance; };
    return a != CLR_INVALID && b != CLR_INVALID && within(GetRValue(a), GetRValue(b)) &&
           within(GetGValue(a), GetGValue(b)) && within(GetBValue(a), GetBValue(b));
}

}  // namespace velvane::driver
