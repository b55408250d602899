// A library that is nothing but the version resource of an old WebBrowser library.

#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
