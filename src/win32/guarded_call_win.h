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

#if defined(__i386__)
// The unwinder the i686 guard calls once a library has faulted: the system's RtlUnwind. Tests
// put in one that treats registers as the system's own does, which Wine's does not.
using Unwinder = void(WINAPI*)(void* targetFrame, void* targetIp, EXCEPTION_RECORD* record,
                               void* returnValue);
#endif

}  // namespace velvane

#if defined(__i386__)
extern "C" velvane::Unwinder velvane_guard_unwinder;
#endif
