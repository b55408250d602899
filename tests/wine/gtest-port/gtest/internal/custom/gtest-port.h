#pragma once
// GoogleTest's port, as the Windows tests build it. The compilers' win32 thread model (the one
// the shipped program needs: see cmake/mingw.cmake) has no std::mutex, on which GoogleTest
// builds just one class of its own, Notification; here it is made from a Win32 event instead.
// GoogleTest's locks and thread-local values use the Win32 ones already.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {

// Lets a controller thread hold newly created threads until it notifies them.
class Notification {
public:
    Notification() : event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~Notification() { CloseHandle(event_); }
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { SetEvent(event_); }
    void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

private:
    HANDLE event_;
};

}  // namespace testing::internal
