// velvane-driver: looks at a running autostart.exe from outside, for scripts.
//   velvane-driver wait CLASS TIMEOUT_MS   waits for a visible window of that class (any process)
//   velvane-driver close CLASS             posts WM_CLOSE to the first window of that class
//   velvane-driver list                    prints every visible top-level window

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int Wait(const char* className, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        HWND hwnd = FindWindowA(className, nullptr);
        if (hwnd && IsWindowVisible(hwnd)) {
            RECT r;
            GetWindowRect(hwnd, &r);
            std::printf("%s at %ld,%ld size %ldx%ld\n", className, r.left, r.top, r.right - r.left,
                        r.bottom - r.top);
            return 0;
        }
        if (GetTickCount() - start >= timeoutMs) {
            std::printf("no visible %s window after %lu ms\n", className, timeoutMs);
            return 1;
        }
        Sleep(50);
    }
}

int Close(const char* className) {
    HWND hwnd = FindWindowA(className, nullptr);
    if (!hwnd) return 1;
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
    return 0;
}

BOOL CALLBACK PrintWindow(HWND hwnd, LPARAM) {
    if (!IsWindowVisible(hwnd)) return TRUE;
    char className[256] = {};
    char text[512] = {};
    GetClassNameA(hwnd, className, sizeof className);
    GetWindowTextA(hwnd, text, sizeof text);
    RECT r;
    GetWindowRect(hwnd, &r);
    std::printf("%-24s \"%s\" %ld,%ld %ldx%ld\n", className, text, r.left, r.top, r.right - r.left,
                r.bottom - r.top);
    return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::strcmp(argv[1], "wait") == 0) {
        return Wait(argv[2], static_cast<DWORD>(std::strtoul(argv[3], nullptr, 10)));
    }
    if (argc >= 3 && std::strcmp(argv[1], "close") == 0) return Close(argv[2]);
    if (argc >= 2 && std::strcmp(argv[1], "list") == 0) {
        EnumWindows(&PrintWindow, 0);
        return 0;
    }
    std::fprintf(stderr, "usage: velvane-driver wait CLASS TIMEOUT_MS | close CLASS | list\n");
    return 2;
}
