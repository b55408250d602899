#pragma once
// Work on a second thread while the test's own thread is held by something modal (a message box
// it shows, a navigation it pumps messages for). A plain Win32 thread: the compilers' thread
// model, like the oldest systems the program runs on, has no std::thread.

#include <windows.h>

#include <optional>
#include <stdexcept>
#include <type_traits>
#include <utility>

namespace velvane::testsupport {

template <typename Work>
class Background {
public:
    using Result = std::invoke_result_t<Work&>;

    // Starts `work` at once; throws when the system has no thread for it.
    explicit Background(Work work) : work_(std::move(work)) {
        thread_ = CreateThread(nullptr, 0, &Background::Run, this, 0, nullptr);
        if (!thread_) throw std::runtime_error("no thread for the background work");
    }
    ~Background() {
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
    }
    Background(const Background&) = delete;
    Background& operator=(const Background&) = delete;

    bool Ready() const { return WaitForSingleObject(thread_, 0) == WAIT_OBJECT_0; }

    // Waits for the work to end and hands over what it answered.
    Result Get() {
        WaitForSingleObject(thread_, INFINITE);
        return std::move(*result_);
    }

private:
    static DWORD WINAPI Run(void* self) {
        auto* background = static_cast<Background*>(self);
        background->result_.emplace(background->work_());
        return 0;
    }

    Work work_;
    std::optional<Result> result_;
    HANDLE thread_ = nullptr;
};

}  // namespace velvane::testsupport
