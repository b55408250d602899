// Errors at the edges of Win32 frames, and the program's two message boxes as a person sees
// them.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "driver/driver.h"
#include "support/background_win.h"
#include "win32/exception_edge_win.h"
#include "win32/guarded_call_win.h"
#include "win32/message_dialog_win.h"
#include "win32/window_win.h"

#if defined(__i386__)
// An unwinder that unwinds with the system's and then hands back ebx, esi, edi and ebp changed,
// as the system's x86 RtlUnwind may (it clears the first three); Wine's keeps them.
extern "C" {
velvane::Unwinder velvane_test_system_unwinder = nullptr;
extern char velvane_test_clobbering_unwind[];
}
asm(R"(
    .text
_velvane_test_clobbering_unwind:
    pushl 16(%esp)
    pushl 16(%esp)
    pushl 16(%esp)
    pushl 16(%esp)
    call *_velvane_test_system_unwinder
    movl $0xDEAD0001, %ebx
    movl $0xDEAD0002, %esi
    movl $0xDEAD0003, %edi
    movl $0xDEAD0004, %ebp
    ret $16
)");
#endif

namespace velvane {
namespace {

class ThrowingWindow : public Window {
public:
    ThrowingWindow() {
        RegisterWindowClass("VelvaneThrowingTestWindow", 0, nullptr);
        CreateHandle(0, "VelvaneThrowingTestWindow", "", WS_POPUP, 0, 0, 10, 10, nullptr);
    }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_APP) throw std::runtime_error("thrown inside a window procedure");
        return DefaultHandling(message, wParam, lParam);
    }
};

TEST(ExceptionEdge, WindowProcedureHandsTheErrorToTheSinkInsteadOfUnwinding) {
    std::string seen;
    SetExceptionSink([&](std::exception_ptr error) {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            seen = e.what();
        }
    });
    ThrowingWindow window;
    EXPECT_EQ(SendMessageA(window.Handle(), WM_APP, 0, 0), 0);
    EXPECT_EQ(seen, "thrown inside a window procedure");
    // The window is still alive and answers the next message.
    EXPECT_NE(SendMessageA(window.Handle(), WM_GETTEXTLENGTH, 0, 0), -1);
    SetExceptionSink(nullptr);
}

// Shows a box on this thread while another thread reads it from outside and dismisses it.
driver::MessageBoxInfo ShowAndRead(MessageDialogKind kind, const std::string& text,
                                   int dismissWith) {
    testsupport::Background reader([dismissWith] {
        std::optional<driver::MessageBoxInfo> box =
            driver::WaitForMessageBox(GetCurrentProcessId(), 15000);
        if (box) driver::Dismiss(*box, dismissWith);
        return box.value_or(driver::MessageBoxInfo{});
    });
    ShowMessageDialog(nullptr, kind, text);
    return reader.Get();
}

TEST(MessageDialogs, ErrorBoxHasOneCancelButton) {
    driver::MessageBoxInfo box =
        ShowAndRead(MessageDialogKind::Error, "Line one\rLine \"two\" & more", IDCANCEL);
    EXPECT_EQ(box.title, "Error");
    EXPECT_EQ(box.text, "Line one\rLine \"two\" & more");
    ASSERT_EQ(box.buttons.size(), 1u);
    EXPECT_EQ(box.buttons[0], "Cancel");
}

TEST(MessageDialogs, InformationBoxHasOneOkButton) {
    driver::MessageBoxInfo box = ShowAndRead(MessageDialogKind::Information, "Note", IDOK);
    EXPECT_EQ(box.title, "Information");
    EXPECT_EQ(box.text, "Note");
    ASSERT_EQ(box.buttons.size(), 1u);
    EXPECT_EQ(box.buttons[0], "OK");
}

TEST(MessageDialogs, EnterDismissesTheErrorBox) {
    // Enter reaches a dialog as IDOK; the error box has no OK button but must close all the same.
    driver::MessageBoxInfo box = ShowAndRead(MessageDialogKind::Error, "x", IDOK);
    EXPECT_EQ(box.title, "Error");
}

// Message 12 names a URL, message 15 a path: neither has blanks to break at.
TEST(MessageDialogs, VeryLongTextStillFitsOnTheScreen) {
    std::string text(20000, 'w');
    testsupport::Background reader([] {
        std::optional<driver::MessageBoxInfo> box =
            driver::WaitForMessageBox(GetCurrentProcessId(), 15000);
        RECT r{};
        if (box) {
            GetWindowRect(box->hwnd, &r);
            driver::Dismiss(*box, IDCANCEL);
        }
        return r;
    });
    ShowMessageDialog(nullptr, MessageDialogKind::Error, text);
    RECT r = reader.Get();
    EXPECT_GT(r.right - r.left, 0);
    EXPECT_LE(r.right - r.left, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_LE(r.bottom - r.top, GetSystemMetrics(SM_CYSCREEN));
}

// Functions standing in for requirement checks of libraries from a disc.
unsigned char WINAPI AnswersSeven(HWND) {
    return 7;
}
unsigned char WINAPI WritesToAnAddressNoProgramOwns(HWND) {
    volatile std::uintptr_t address = 16;  // volatile: a real access, not a trap instruction
    *reinterpret_cast<volatile int*>(address) = 1;
    return 1;
}
unsigned char WINAPI RaisesANonContinuableException(HWND) {
    RaiseException(0xE0000001, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    return 1;
}
unsigned char WINAPI DividesByZero(HWND) {
    volatile int zero = 0;
    return static_cast<unsigned char>(10 / zero);
}
// A library that handles its own faults must get to: the guard sees nothing of it.
unsigned char WINAPI HandlesItsOwnFault(HWND) {
    return CallGuarded(WritesToAnAddressNoProgramOwns, nullptr) ? 0 : 9;
}
unsigned char WINAPI ThrowsAndCatchesItself(HWND) {
    try {
        throw std::runtime_error("inside the library");
    } catch (const std::runtime_error&) {
        return 5;
    }
}

#if defined(__i386__)
// The head of the thread's chain of exception records. (NtCurrentTeb() at offset 0 trips a
// false array-bounds warning in GCC 12.)
void* ExceptionChain() {
    void* head = nullptr;
    asm volatile("movl %%fs:0, %0" : "=r"(head));
    return head;
}
// Puts the clobbering unwinder into the guard for one call.
class ClobberingUnwinder {
public:
    ClobberingUnwinder() {
        velvane_test_system_unwinder = velvane_guard_unwinder;
        velvane_guard_unwinder = reinterpret_cast<Unwinder>(velvane_test_clobbering_unwind);
    }
    ~ClobberingUnwinder() { velvane_guard_unwinder = velvane_test_system_unwinder; }
    ClobberingUnwinder(const ClobberingUnwinder&) = delete;
    ClobberingUnwinder& operator=(const ClobberingUnwinder&) = delete;
};
#endif

struct GuardedCase {
    const char* name;
    ByteFunction function;
    std::optional<unsigned char> answer;
    bool unwoundAsOnWindows = false;  // i686 only: the unwinder clobbers registers
};

TEST(GuardedCall, AFaultEndsTheCallNotTheProgram) {
    const GuardedCase cases[] = {
        {"an answer comes through", AnswersSeven, 7},
        {"access violation", WritesToAnAddressNoProgramOwns, std::nullopt},
        {"non-continuable exception", RaisesANonContinuableException, std::nullopt},
        {"integer division by zero", DividesByZero, std::nullopt},
        {"a fault the function handles itself", HandlesItsOwnFault, 9},
        {"a C++ exception caught inside", ThrowsAndCatchesItself, 5},
#if defined(__i386__)
        {"access violation, registers lost in the unwind", WritesToAnAddressNoProgramOwns,
         std::nullopt, true},
        {"a fault handled inside, registers lost in the unwind", HandlesItsOwnFault, 9, true},
#endif
    };
    for (const GuardedCase& c : cases) {
#if defined(__i386__)
        // The chain of exception records must be as before, whatever the call left on it.
        void* const chain = ExceptionChain();
#endif
#if defined(__i386__)
        std::optional<ClobberingUnwinder> unwinder;
        if (c.unwoundAsOnWindows) unwinder.emplace();
#endif
        EXPECT_EQ(CallGuarded(c.function, nullptr), c.answer) << c.name;
#if defined(__i386__)
        EXPECT_EQ(ExceptionChain(), chain) << c.name;
#endif
        // The thread goes on working: the next call answers normally.
        EXPECT_EQ(CallGuarded(AnswersSeven, nullptr), std::optional<unsigned char>(7)) << c.name;
    }
}

}  // namespace
}  // namespace velvane
