#pragma once
// The tests' side of the stand-in WebBrowser control: putting it in place of the platform's
// control (in this process, or for every program of the Wine prefix), sending it commands, and
// reading its log. See standin/protocol.h for the commands and the log's marks.

#include <windows.h>
#include <exdisp.h>

#include <string>

#include "driver/driver.h"
#include "driver/driver_more.h"
#include "standin/protocol.h"

namespace velvane::standin {

// In-process: this process's CoCreateInstance(CLSID_WebBrowser) gets the stand-in while the
// object lives. The library stays loaded: controls made from it may outlive the registration.
class InProcessRegistration {
public:
    explicit InProcessRegistration(const std::string& libraryPath) {
        HMODULE library = LoadLibraryA(libraryPath.c_str());
        using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
        auto get = library ? reinterpret_cast<GetClassObject>(
                                 reinterpret_cast<void*>(GetProcAddress(library, "DllGetClassObject")))
                           : nullptr;
        IClassFactory* factory = nullptr;
        if (!get || FAILED(get(CLSID_WebBrowser, IID_IClassFactory, reinterpret_cast<void**>(&factory)))) return;
        registered_ = SUCCEEDED(CoRegisterClassObject(CLSID_WebBrowser, factory, CLSCTX_INPROC_SERVER,
                                                      REGCLS_MULTIPLEUSE, &cookie_));
        factory->Release();
    }
    ~InProcessRegistration() {
        if (registered_) CoRevokeClassObject(cookie_);
    }
    InProcessRegistration(const InProcessRegistration&) = delete;
    InProcessRegistration& operator=(const InProcessRegistration&) = delete;
    bool Registered() const { return registered_; }

private:
    DWORD cookie_ = 0;
    bool registered_ = false;
};

// For every program of the prefix: the class's InprocServer32 under HKLM\Software\Classes names
// the stand-in while the object lives (Wine 8.0 ignores the class under HKCU). The original
// value comes back afterwards; a value that still names the stand-in (a run that died) is
// replaced by the system's own library. The prefix is shared: tests that use this run alone.
class PrefixRegistration {
public:
    explicit PrefixRegistration(const std::string& libraryPath) {
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key_,
                            nullptr) != ERROR_SUCCESS) {
            key_ = nullptr;
            return;
        }
        hadServer_ = Read(nullptr, server_);
        hadModel_ = Read("ThreadingModel", model_);
        if (server_.find(kLibraryName) != std::string::npos) {
            char system[MAX_PATH] = {};
            GetSystemDirectoryA(system, MAX_PATH);
            server_ = std::string(system) + "\\ieframe.dll";
            model_ = "Apartment";
            hadServer_ = hadModel_ = true;
        }
        registered_ = Write(nullptr, libraryPath) && Write("ThreadingModel", "Apartment");
    }
    ~PrefixRegistration() {
        if (!key_) return;
        if (hadServer_) Write(nullptr, server_);
        else RegDeleteValueA(key_, nullptr);
        if (hadModel_) Write("ThreadingModel", model_);
        else RegDeleteValueA(key_, "ThreadingModel");
        RegCloseKey(key_);
    }
    PrefixRegistration(const PrefixRegistration&) = delete;
    PrefixRegistration& operator=(const PrefixRegistration&) = delete;
    bool Registered() const { return registered_; }

private:
    static constexpr char kKey[] =
        "Software\\Classes\\CLSID\\{8856F961-340A-11D0-A96B-00C04FD705A2}\\InprocServer32";
    bool Read(const char* name, std::string& value) const {
        char buffer[MAX_PATH * 2] = {};
        DWORD size = sizeof buffer - 1, type = 0;
        if (RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
            return false;
        value = buffer;
        return true;
    }
    bool Write(const char* name, const std::string& value) const {
        return RegSetValueExA(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                              static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
    }
    HKEY key_ = nullptr;
    std::string server_, model_;
    bool hadServer_ = false, hadModel_ = false, registered_ = false;
};

inline BOOL CALLBACK PickEmbedding(HWND window, LPARAM result) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) != "Shell Embedding") return TRUE;
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
}

// A registration left naming the stand-in (a run that died before restoring it) would hand the
// stand-in to every later program of the prefix: put the system's library back.
inline void RepairStaleRegistration() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE,
                      "Software\\Classes\\CLSID\\{8856F961-340A-11D0-A96B-00C04FD705A2}\\InprocServer32", 0,
                      KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS)
        return;
    char value[MAX_PATH * 2] = {};
    DWORD size = sizeof value - 1;
    if (RegQueryValueExA(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS &&
        std::string(value).find(kLibraryName) != std::string::npos) {
        char system[MAX_PATH] = {};
        GetSystemDirectoryA(system, MAX_PATH);
        std::string original = std::string(system) + "\\ieframe.dll";
        RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(original.c_str()),
                       static_cast<DWORD>(original.size() + 1));
    }
    RegCloseKey(key);
}

// The control's "Shell Embedding" window somewhere under `ancestor`, or null.
inline HWND FindEmbedding(HWND ancestor) {
    HWND found = nullptr;
    EnumChildWindows(ancestor, &PickEmbedding, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Hands a command to the control; true when it took it. It runs after this returns.
inline bool SendCommand(HWND embedding, const std::string& command) {
    COPYDATASTRUCT data{kCommandTag, static_cast<DWORD>(command.size()), const_cast<char*>(command.data())};
    DWORD_PTR answer = 0;
    return SendMessageTimeoutA(embedding, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 5000,
                               &answer) &&
           answer == TRUE;
}

// The log of one run, read while the program writes it.
class RunLog {
public:
    explicit RunLog(std::string path) : path_(std::move(path)) {}
    const std::string& Path() const { return path_; }
    std::string Text() const { return driver::ReadFileText(path_); }
    bool Contains(const std::string& part) const { return Text().find(part) != std::string::npos; }
    int Count(const std::string& part) const {
        std::string text = Text();
        int count = 0;
        for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
            ++count;
        return count;
    }
    bool WaitFor(const std::string& part, DWORD timeoutMs, int times = 1) const {
        return driver::WaitUntil([&] { return Count(part) >= times; }, timeoutMs);
    }
    // The log from the first occurrence of `part` on, or "" when it is not there.
    std::string After(const std::string& part) const {
        std::string text = Text();
        std::size_t at = text.find(part);
        return at == std::string::npos ? std::string() : text.substr(at);
    }

private:
    std::string path_;
};

}  // namespace velvane::standin
