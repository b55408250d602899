// An example requirement library for a disc: the start menu asks it before anything is shown.
//
// The contract: export CheckRequirement with the standard Windows calling convention (stdcall)
// under its plain, undecorated name; it gets the handle of the start menu's (hidden) application
// window, which it may use as the owner of any window it shows, and answers a byte: not 0 when
// the requirement is fulfilled, 0 when it is not. Build it as a 32-bit DLL, e.g. with MinGW:
//   i686-w64-mingw32-g++ -shared -O2 -static -Wl,--kill-at screen_check.cpp -o screencheck.dll
//
// This one asks for a screen of at least 800 x 600 pixels, which the example disc's pages need.

#include <windows.h>

extern "C" __declspec(dllexport) unsigned char WINAPI CheckRequirement(HWND /*owner*/) {
    return GetSystemMetrics(SM_CXSCREEN) >= 800 && GetSystemMetrics(SM_CYSCREEN) >= 600;
}
