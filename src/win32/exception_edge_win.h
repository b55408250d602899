#pragma once
// C++ exceptions must never unwind through a Win32 or COM frame: MinGW's i686 unwinder cannot
// cross DispatchMessage or a COM caller. Every window procedure, timer and callback therefore
// catches at its edge and hands the error to the one sink the application installs.

#include <exception>
#include <functional>

namespace velvane {

using ExceptionSink = std::function<void(std::exception_ptr)>;

void SetExceptionSink(ExceptionSink sink);

// Call from inside a catch block: passes the current exception to the sink. Never throws.
void HandleExceptionAtEdge() noexcept;

// Runs `body`; an exception escaping it goes to the sink instead of the caller.
template <typename Body>
void RunGuarded(Body&& body) noexcept {
    try {
        body();
    } catch (...) {
        HandleExceptionAtEdge();
    }
}

}  // namespace velvane
