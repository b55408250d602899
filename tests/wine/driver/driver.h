#pragma once
// The test driver: starts autostart.exe on a sample disc and reads its windows and message boxes
// from outside, as a person at the screen would see them.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/temp_folder_win.h"

namespace velvane::driver {

// A started process; its handles are closed with it, and a process still running at the end of a
// test is killed so that it cannot outlive the test.
class Process {
public:
    Process() = default;
    explicit Process(PROCESS_INFORMATION info) : info_(info) {}
    Process(Process&& other) noexcept : info_(std::exchange(other.info_, {})) {}
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process();

    DWORD Id() const { return info_.dwProcessId; }
    HANDLE Handle() const { return info_.hProcess; }
    bool Running() const;
    // The exit code once the process ended within the timeout, nullopt otherwise.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs) const;

private:
    void Kill();
    PROCESS_INFORMATION info_{};
};

using Environment = std::vector<std::pair<std::string, std::string>>;

// Starts `program` in `folder` with the current environment plus (or overridden by) `extra`.
Process Start(const std::string& program, const std::string& folder, const Environment& extra = {});

struct WindowInfo {
    HWND hwnd = nullptr;
    std::string className;
    std::string text;
    RECT rect{};
    RECT clientRect{};
    LONG style = 0;
    LONG exStyle = 0;
    DWORD classStyle = 0;
    bool visible = false;
};

WindowInfo ReadWindow(HWND hwnd);

// The top-level windows that belong to process `pid`, visible or not.
std::vector<HWND> TopLevelWindows(DWORD pid);

// Waits until `pick` finds a top-level window of `pid` (pumping this thread's messages).
std::optional<WindowInfo> WaitForWindow(DWORD pid,
                                        const std::function<bool(const WindowInfo&)>& pick,
                                        DWORD timeoutMs);

std::optional<WindowInfo> WaitForWindowOfClass(DWORD pid, const std::string& className,
                                               DWORD timeoutMs, bool mustBeVisible = true);

struct MessageBoxInfo {
    HWND hwnd = nullptr;
    std::string title;
    std::string text;
    std::vector<std::string> buttons;
};

// Waits for a visible dialog-class window (a message box) of process `pid`.
std::optional<MessageBoxInfo> WaitForMessageBox(DWORD pid, DWORD timeoutMs);

// Dismisses a message box as its button would (IDOK or IDCANCEL), and waits until it is gone.
void Dismiss(const MessageBoxInfo& box, int command);

// Makes Wine report another Windows release (as winecfg names it: "winxp", "win2k", ...) to
// programs of one file name, for as long as the object lives. Wine reads it when such a program
// starts.
class PretendedRelease {
public:
    PretendedRelease(const std::string& programFileName, const char* release);
    ~PretendedRelease();
    PretendedRelease(const PretendedRelease&) = delete;
    PretendedRelease& operator=(const PretendedRelease&) = delete;

private:
    std::string key_;
};

// Makes Wine load `dll` from the system folder's file ("native") rather than its own built-in
// one for programs of one file name, for as long as the object lives. Wine also answers version
// queries about a system library from its built-in copy unless the program loads it natively.
class NativeDllOverride {
public:
    NativeDllOverride(const std::string& programFileName, const std::string& dll);
    ~NativeDllOverride();
    NativeDllOverride(const NativeDllOverride&) = delete;
    NativeDllOverride& operator=(const NativeDllOverride&) = delete;

private:
    std::string key_;
};

// Makes the shell open documents of one extension (".vlvtest1") with `handler`, for as long as
// the object lives: the handler gets the document's path as its argument.
class DocumentAssociation {
public:
    DocumentAssociation(const std::string& extension, const std::string& handler);
    ~DocumentAssociation();
    DocumentAssociation(const DocumentAssociation&) = delete;
    DocumentAssociation& operator=(const DocumentAssociation&) = delete;

private:
    std::string extension_;
    std::string progId_;
};

// Clicks the button at `index` (from 0) of a tool bar of equal buttons, as the mouse would.
void ClickToolButton(HWND toolBar, int index);

// The application window of process `pid`: the one the task bar shows.
std::optional<WindowInfo> ApplicationWindow(DWORD pid);

// The whole content of a file, or "" when it cannot be opened (also while another program
// writes it).
using testsupport::ReadFileText;

// Waits until `path` exists and holds at least `lines` line breaks; its content, or "".
std::string WaitForLines(const std::string& path, int lines, DWORD timeoutMs);

// Lets time pass while pumping this thread's messages.
void Pause(DWORD ms);

}  // namespace velvane::driver
