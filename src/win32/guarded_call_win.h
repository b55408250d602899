#pragma once
// Calling a function of a library from the disc so that a fault inside it cannot take the
// program down.
//
// The library runs on the calling (user-interface) thread, as it must: it may show windows owned
// by the handle it is given. A structured exception that the library leaves unhandled (an access
// violation, a division by zero, an exception it raises itself) ends the call
// instead of the process. Exceptions the library handles itself are never seen here.

#include <windows.h>

#include <optional>

namespace velvane {

// The contract of a requirement library's check: one window handle in (stdcall), a byte out.
using ByteFunction = unsigned char(WINAPI*)(HWND);

// The function's answer, or nullopt when it raised a structured exception that it did not
// handle. The library's own unwind handlers have run by then; what it left half done stays so.
std::optional<unsigned char> CallGuarded(ByteFunction function, HWND argument);

}  // namespace velvane
