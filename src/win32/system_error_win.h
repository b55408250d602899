#pragma once
// Failures the system reports through GetLastError, as the program's own errors.

#include <windows.h>

#include <string>

namespace velvane {

// The system's text for `code` without its closing line break; empty when it has none.
std::string SystemErrorText(DWORD code);

// Raises Error with "`operation`: " and the text of GetLastError (or its number).
[[noreturn]] void ThrowLastError(const char* operation);

}  // namespace velvane
