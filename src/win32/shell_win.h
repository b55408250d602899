#pragma once
// Opening programs, documents and addresses the way the shell does on a double click.

#include <windows.h>

#include <string>

namespace velvane {

// Asks the shell to "open" `target`, its window shown normally, with `owner` as the owner of any
// window the shell shows. False when the shell cannot be loaded or reports a failure.
bool ShellOpen(HWND owner, const std::string& target);
// The same for a path the ANSI code page cannot hold.
bool ShellOpen(HWND owner, const std::wstring& target);

}  // namespace velvane
