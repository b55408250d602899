#include "win32/shell_win.h"

#include <shellapi.h>

#include "win32/library_win.h"

namespace velvane {
namespace {

// ShellExecute's answer: values above 32 are success, smaller ones error codes.
bool Succeeded(HINSTANCE answer) {
    return reinterpret_cast<INT_PTR>(answer) > 32;
}

// The shell comes in only when something is opened: loading it, and all it loads in turn,
// would otherwise cost every start of the menu.
HMODULE Shell() {
    return SystemLibrary("shell32.dll");
}

}  // namespace

bool ShellOpen(HWND owner, const std::string& target) {
    auto execute = ProcAddress<decltype(&ShellExecuteA)>(Shell(), "ShellExecuteA");
    return execute && Succeeded(execute(owner, "open", target.c_str(), "", "", SW_SHOW));
}

bool ShellOpen(HWND owner, const std::wstring& target) {
    auto execute = ProcAddress<decltype(&ShellExecuteW)>(Shell(), "ShellExecuteW");
    return execute && Succeeded(execute(owner, L"open", target.c_str(), L"", L"", SW_SHOW));
}

}  // namespace velvane
