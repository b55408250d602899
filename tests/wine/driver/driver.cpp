#include "driver/driver.h"
#include "driver/driver_more.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace velvane::driver {
namespace {

std::string WindowText(HWND hwnd) {
    char buffer[4096] = {};
    // WM_GETTEXT works across processes for any window; GetWindowText would not read controls.
    SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer),
                        SMTO_ABORTIFHUNG, 2000, nullptr);
    return buffer;
}

std::string ClassName(HWND hwnd) {
    char buffer[256] = {};
    GetClassNameA(hwnd, buffer, sizeof buffer);
    return buffer;
}

// The environment block of this process with `extra` set on top of it.
std::string EnvironmentBlock(const Environment& extra) {
    std::vector<std::string> entries;
    char* block = GetEnvironmentStringsA();
    for (const char* p = block; *p; p += std::strlen(p) + 1) entries.emplace_back(p);
    FreeEnvironmentStringsA(block);
    for (const auto& [name, value] : extra) {
        std::string prefix = name + "=";
        std::erase_if(entries, [&](const std::string& e) {
            return _strnicmp(e.c_str(), prefix.c_str(), prefix.size()) == 0;
        });
        entries.push_back(prefix + value);
    }
    std::string result;
    for (const std::string& e : entries) result += e + '\0';
    result += '\0';
    return result;
}

}  // namespace

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        Kill();
        info_ = std::exchange(other.info_, {});
    }
    return *this;
}

Process::~Process() {
    Kill();
}

void Process::Kill() {
    if (info_.hProcess) {
        if (Running()) {
            TerminateProcess(info_.hProcess, 99);
            WaitForSingleObject(info_.hProcess, 5000);
        }
        CloseHandle(info_.hProcess);
    }
    if (info_.hThread) CloseHandle(info_.hThread);
    info_ = {};
}

bool Process::Running() const {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Process::WaitForExit(DWORD timeoutMs) const {
    if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

Process Start(const std::string& program, const std::string& folder, const Environment& extra) {
    std::string commandLine = "\"" + program + "\"";
    std::string environment = EnvironmentBlock(extra);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        environment.data(), folder.c_str(), &startup, &info)) {
        throw std::runtime_error("cannot start " + program + ", error " +
                                 std::to_string(GetLastError()));
    }
    return Process(info);
}

WindowInfo ReadWindow(HWND hwnd) {
    WindowInfo info;
    info.hwnd = hwnd;
    info.className = ClassName(hwnd);
    info.text = WindowText(hwnd);
    GetWindowRect(hwnd, &info.rect);
    GetClientRect(hwnd, &info.clientRect);
    info.style = GetWindowLongA(hwnd, GWL_STYLE);
    info.exStyle = GetWindowLongA(hwnd, GWL_EXSTYLE);
    info.classStyle = GetClassLongA(hwnd, GCL_STYLE);
    info.visible = IsWindowVisible(hwnd) != FALSE;
    return info;
}

struct WindowSearch {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindowOfProcess(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == search->pid) search->found.push_back(hwnd);
    return TRUE;
}

std::vector<HWND> TopLevelWindows(DWORD pid) {
    WindowSearch search{pid, {}};
    EnumWindows(&CollectWindowOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void Pause(DWORD ms) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        Sleep(10);
    }
}

std::optional<WindowInfo> WaitForWindow(DWORD pid,
                                        const std::function<bool(const WindowInfo&)>& pick,
                                        DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        for (HWND hwnd : TopLevelWindows(pid)) {
            WindowInfo info = ReadWindow(hwnd);
            if (pick(info)) return info;
        }
        if (GetTickCount() - start >= timeoutMs) return std::nullopt;
        Pause(20);
    }
}

std::optional<WindowInfo> WaitForWindowOfClass(DWORD pid, const std::string& className,
                                               DWORD timeoutMs, bool mustBeVisible) {
    return WaitForWindow(
        pid,
        [&](const WindowInfo& w) {
            return w.className == className && (w.visible || !mustBeVisible);
        },
        timeoutMs);
}

std::optional<MessageBoxInfo> WaitForMessageBox(DWORD pid, DWORD timeoutMs) {
    std::optional<WindowInfo> dialog = WaitForWindowOfClass(pid, "#32770", timeoutMs);
    if (!dialog) return std::nullopt;
    // The box can become visible a moment before its text control exists.
    HWND dialogWindow = dialog->hwnd;
    WaitUntil([dialogWindow] { return GetDlgItem(dialogWindow, 0xFFFF) != nullptr; }, 5000);
    MessageBoxInfo box;
    box.hwnd = dialog->hwnd;
    box.title = dialog->text;
    HWND text = GetDlgItem(dialog->hwnd, 0xFFFF);
    box.text = text ? WindowText(text) : std::string();
    for (HWND child = GetWindow(dialog->hwnd, GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (_stricmp(ClassName(child).c_str(), "Button") == 0 && IsWindowVisible(child)) {
            box.buttons.push_back(WindowText(child));
        }
    }
    return box;
}

PretendedRelease::PretendedRelease(const std::string& programFileName, const char* release)
    : key_("Software\\Wine\\AppDefaults\\" + programFileName) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
        throw std::runtime_error("cannot write " + key_);
    }
    RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(release),
                   static_cast<DWORD>(std::strlen(release) + 1));
    RegCloseKey(key);
}

PretendedRelease::~PretendedRelease() {
    RegDeleteKeyA(HKEY_CURRENT_USER, key_.c_str());
}

void Dismiss(const MessageBoxInfo& box, int command) {
    PostMessageA(box.hwnd, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
    // A box on its way out is still a visible dialog for a moment, its text control already
    // gone: the next wait for a box would find it again instead of the one that follows.
    HWND dialog = box.hwnd;
    WaitUntil([dialog] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 5000);
}

}  // namespace velvane::driver

namespace velvane::driver {

DocumentAssociation::DocumentAssociation(const std::string& extension, const std::string& handler)
    : extension_(extension), progId_("VelvaneTest" + extension) {
    auto setDefault = [](const std::string& key, const std::string& value) {
        HKEY handle = nullptr;
        if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                            &handle, nullptr) != ERROR_SUCCESS) {
            throw std::runtime_error("cannot write " + key);
        }
        RegSetValueExA(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
        RegCloseKey(handle);
    };
    setDefault(extension_, progId_);
    setDefault(progId_ + "\\shell\\open\\command", "\"" + handler + "\" \"%1\"");
}

DocumentAssociation::~DocumentAssociation() {
    RegDeleteKeyA(HKEY_CLASSES_ROOT, (progId_ + "\\shell\\open\\command").c_str());
    RegDeleteKeyA(HKEY_CLASSES_ROOT, (progId_ + "\\shell\\open").c_str());
    RegDeleteKeyA(HKEY_CLASSES_ROOT, (progId_ + "\\shell").c_str());
    RegDeleteKeyA(HKEY_CLASSES_ROOT, progId_.c_str());
    RegDeleteKeyA(HKEY_CLASSES_ROOT, extension_.c_str());
}

NativeDllOverride::NativeDllOverride(const std::string& programFileName, const std::string& dll)
    : key_("Software\\Wine\\AppDefaults\\" + programFileName + "\\DllOverrides") {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
        throw std::runtime_error("cannot write " + key_);
    }
    const char native[] = "native";
    RegSetValueExA(key, dll.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(native),
                   sizeof native);
    RegCloseKey(key);
}

NativeDllOverride::~NativeDllOverride() {
    RegDeleteKeyA(HKEY_CURRENT_USER, key_.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, key_.substr(0, key_.rfind('\\')).c_str());
}

void ClickToolButton(HWND toolBar, int index) {
    // The button rectangles live in the other process; equal buttons sit side by side.
    LRESULT size = SendMessageA(toolBar, TB_GETBUTTONSIZE, 0, 0);
    int width = LOWORD(size);
    int height = HIWORD(size);
    LPARAM at = MAKELPARAM(index * width + width / 2, height / 2);
    PostMessageA(toolBar, WM_MOUSEMOVE, 0, at);
    PostMessageA(toolBar, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(toolBar, WM_LBUTTONUP, 0, at);
}

std::optional<WindowInfo> ApplicationWindow(DWORD pid) {
    for (HWND hwnd : TopLevelWindows(pid)) {
        WindowInfo info = ReadWindow(hwnd);
        if (info.className == "TVelvaneApplication") return info;
    }
    return std::nullopt;
}

std::string WaitForLines(const std::string& path, int lines, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        std::string content = ReadFileText(path);
        if (std::count(content.begin(), content.end(), '\n') >= lines) return content;
        if (GetTickCount() - start >= timeoutMs) return content;
        Pause(50);
    }
}

}  // namespace velvane::driver
