// The stand-in's log: one line per call, written and flushed at once so that a test can read it
// while the program runs, and kept even when the program dies.

#include <cstdio>
#include <string>

#include "standin/protocol.h"
#include "standin/standin.h"

namespace velvane::standin {
namespace {

int eventDepth = 0;
int modalDepth = 0;

HANDLE LogFile() {
    static HANDLE file = [] {
        char path[MAX_PATH] = {};
        DWORD length = GetEnvironmentVariableA(kLogVariable, path, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return INVALID_HANDLE_VALUE;
        return CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    }();
    return file;
}

}  // namespace

void Log(const std::string& line) {
    std::string text = "d=" + std::to_string(eventDepth) + " " + line + "\r\n";
    HANDLE file = LogFile();
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                   0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                        nullptr, nullptr);
    return result;
}

std::wstring FromUtf8(const std::string& text) {
    if (text.empty()) return {};
    int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size);
    return result;
}

std::string HrText(HRESULT hr) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

namespace {

// Built by appending: GCC 12 at -O3 reports a false overlap (-Wrestrict) for the same
// concatenation written with operator+ on temporaries.
std::string BstrText(BSTR text) {
    if (!text)
        return "(null bstr)";
    std::string quoted = "\"";
    quoted += Utf8(text);
    quoted += '"';
    return quoted;
}

}  // namespace

std::string VariantText(const VARIANT& value) {
    const VARIANT* v = &value;
    std::string prefix;
    while (V_VT(v) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(v)) {
        prefix += "ref:";
        v = V_VARIANTREF(v);
    }
    switch (V_VT(v)) {
        case VT_EMPTY: return prefix + "empty";
        case VT_NULL: return prefix + "null";
        case VT_BSTR: return prefix + BstrText(V_BSTR(v));
        case VT_I4: return prefix + "i4:" + std::to_string(V_I4(v));
        case VT_UI4: return prefix + "ui4:" + std::to_string(V_UI4(v));
        case VT_BOOL: return prefix + (V_BOOL(v) ? "true" : "false");
        case VT_BYREF | VT_BOOL:
            return prefix + "ref:" + (V_BOOLREF(v) && *V_BOOLREF(v) ? "true" : "false");
        case VT_DISPATCH: return prefix + (V_DISPATCH(v) ? "dispatch" : "(null dispatch)");
        case VT_UNKNOWN: return prefix + (V_UNKNOWN(v) ? "unknown" : "(null unknown)");
        default: return prefix + "vt:" + std::to_string(V_VT(v));
    }
}

int EventDepth() {
    return eventDepth;
}

EventScope::EventScope() {
    ++eventDepth;
}

EventScope::~EventScope() {
    --eventDepth;
}

int ModalDepth() {
    return modalDepth;
}

ModalScope::ModalScope() {
    ++modalDepth;
}

ModalScope::~ModalScope() {
    --modalDepth;
}

void NoteTeardown(const char* what) {
    if (eventDepth > 0) Log(std::string(kTeardownInEvent) + " " + what);
    if (modalDepth > 0) Log(std::string(kTeardownInModal) + " " + what);
}

HRESULT StubCalled(const char* method) {
    Log(std::string("host> ") + method + " (not in the stand-in) -> E_NOTIMPL");
    return E_NOTIMPL;
}

}  // namespace velvane::standin
