#include "browserhost/ie_utils_win.h"

#include <vector>

#include "browserhost/ie_utils.h"
#include "win32/unique_handle_win.h"

namespace velvane {
namespace {

std::string SystemDirectory() {
    std::vector<char> buffer(261);
    UINT length = GetSystemDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
    if (length == 0 || length >= buffer.size()) return {};
    return std::string(buffer.data(), length);
}

// A query result is a zero-terminated text inside the version block; bound it by the block.
std::string QueryText(std::vector<char>& block, const std::string& query) {
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), query.c_str(), &value, &length) || !value) return {};
    const char* begin = static_cast<const char*>(value);
    const char* end = block.data() + block.size();
    if (begin < block.data() || begin >= end) return {};
    const char* terminator = begin;
    while (terminator < end && *terminator) ++terminator;
    return std::string(begin, terminator);
}

std::string FileVersionQuery(std::vector<char>& block) {
    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length) && value &&
        length >= sizeof(DWORD)) {
        DWORD translation = 0;
        memcpy(&translation, value, sizeof translation);
        return FileVersionQueryPath(translation);
    }
    return "FileVersion";
}

// hhctrl.ocx, loaded on first use and released when the program ends.
Module& HtmlHelpModule() {
    static Module module;
    return module;
}

}  // namespace

std::string GetIEVersion() {
    std::string path = SystemDirectory() + "\\shdocvw.dll";
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    if (size == 0) return {};
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(path.c_str(), handle, size, block.data())) return {};
    return QueryText(block, FileVersionQuery(block));
}

HWND CallHtmlHelp(HWND caller, const std::string& file, UINT command, DWORD_PTR data) {
    Module& module = HtmlHelpModule();
    if (!module) {
        // A missing file must not raise the system's own "cannot find" box.
        UINT previousMode = SetErrorMode(SEM_NOOPENFILEERRORBOX);
        module.reset(LoadLibraryA("hhctrl.ocx"));
        SetErrorMode(previousMode);
        if (!module) module.release();  // a value of 32 or less is no module: forget it
    }
    if (!module) return nullptr;
    using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
    auto htmlHelp = reinterpret_cast<HtmlHelpFunction>(
        reinterpret_cast<void*>(GetProcAddress(module.get(), "HtmlHelpA")));
    if (!htmlHelp) return nullptr;
    return htmlHelp(caller, file.c_str(), command, data);
}

}  // namespace velvane
