#pragma once
// Browser support routines: the installed WebBrowser library's version, and HTML Help loaded on
// first use (so that a system without it still runs).

#include <windows.h>

#include <string>

namespace velvane {

// The "FileVersion" text of shdocvw.dll in the system folder, or empty.
std::string GetIEVersion();

// HtmlHelpA of hhctrl.ocx, or 0 when the library or its entry point is missing. A failed load
// is tried again on the next call.
HWND CallHtmlHelp(HWND caller, const std::string& file, UINT command, DWORD_PTR data);

}  // namespace velvane
