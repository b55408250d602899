#pragma once
// The base of the program's windows: binds the C++ object to its HWND at WM_NCCREATE, unbinds it
// at WM_NCDESTROY, and turns every message into a call of the virtual HandleMessage, catching
// whatever escapes it.

#include <windows.h>

namespace velvane {

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    // Destroys the window if it still exists. A derived object is already gone by then, so the
    // messages of that destruction (WM_DESTROY, WM_NCDESTROY) reach this base's HandleMessage
    // only: a class that handles them calls DestroyHandle() first thing in its own destructor.
    virtual ~Window();

    HWND Handle() const { return hwnd_; }

protected:
    // Registers a window class whose procedure dispatches to Window objects (once per name).
    static void RegisterWindowClass(const char* className, UINT classStyle, HBRUSH background);

    // Creates this object's window; throws Error, with the system's reason, when it refuses.
    void CreateHandle(DWORD exStyle, const char* className, const char* caption, DWORD style,
                      int left, int top, int width, int height, HWND owner);

    void DestroyHandle();

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};

// The top-level window that `window` lies in (itself when it is one): the parents of a child
// window followed up, never an owner. What GetAncestor(GA_ROOT) answers on the systems that have
// it; Windows 95 and NT 4.0 before Service Pack 4 do not.
HWND RootWindow(HWND window);

}  // namespace velvane
