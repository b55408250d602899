// autostart.exe: the start menu of a CD, DVD or USB medium.

#include <windows.h>

#include "app/startup_win.h"
#include "browserhost/ole_session_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // OLE comes first, before any window exists, and goes last.
    velvane::OleSession ole;
    try {
        return velvane::RunProgram();
    } catch (...) {
        // Creating the first windows failed: nothing can be shown any more.
        return 1;
    }
}
