// A requirement library for the tests: answers as it was built to, and records each call in
// requirement-calls.txt beside itself (its own file name, and whether it was given a window).
// Built with REQUIREMENT_FAULT it writes to an address no program may touch instead of
// answering, after it has recorded the call.

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace {

HMODULE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCSTR>(&ThisModule), &module);
    return module;
}

void RecordCall(HWND owner) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(ThisModule(), path, MAX_PATH);
    char* name = std::strrchr(path, '\\');
    std::string_view fileName = name ? name + 1 : path;
    std::string record(fileName);
    record += IsWindow(owner) ? " window\r\n" : " no-window\r\n";
    if (name) *name = '\0';
    std::string log = std::string(path) + "\\requirement-calls.txt";
    HANDLE file = CreateFileA(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(file);
}

}  // namespace

#ifndef REQUIREMENT_WITHOUT_EXPORT
extern "C" __declspec(dllexport) unsigned char WINAPI CheckRequirement(HWND owner) {
    RecordCall(owner);
#ifdef REQUIREMENT_FAULT
    // Through a volatile value, so that the compiler cannot see a null write and replace it by
    // a trap instruction: this is to be a real access violation.
    volatile std::uintptr_t address = 16;
    *reinterpret_cast<volatile int*>(address) = 1;
#endif
    return REQUIREMENT_ANSWER;
}
#else
extern "C" __declspec(dllexport) unsigned char WINAPI SomethingElse(HWND owner) {
    RecordCall(owner);
    return 1;
}
#endif
