#include "browserhost/ie_utils_win.h"

#include <vector>

#include "browserhost/ie_utils.h"
#include "win32/file_system_win.h"
#include "win32/library_win.h"
#include "win32/unique_handle_win.h"

namespace velvane {
namespace {

// The file-version functions of version.dll, which is loaded when the version is first read.
struct VersionFunctions {
    HMODULE library = SystemLibrary("version.dll");  // first: the members below read it
    decltype(&GetFileVersionInfoSizeA) getInfoSize =
        ProcAddress<decltype(&GetFileVersionInfoSizeA)>(library, "GetFileVersionInfoSizeA");
    decltype(&GetFileVersionInfoA) getInfo =
        ProcAddress<decltype(&GetFileVersionInfoA)>(library, "GetFileVersionInfoA");
    decltype(&VerQueryValueA) queryValue =
        ProcAddress<decltype(&VerQueryValueA)>(library, "VerQueryValueA");
    bool Complete() const { return getInfoSize && getInfo && queryValue; }
};

// A query result is a zero-terminated text inside the version block; bound it by the block.
std::string QueryText(const VersionFunctions& version, std::vector<char>& block,
                      const std::string& query) {
    void* value = nullptr;
    UINT length = 0;
    if (!version.queryValue(block.data(), query.c_str(), &value, &length) || !value) return {};
    const char* begin = static_cast<const char*>(value);
    const char* end = block.data() + block.size();
    if (begin < block.data() || begin >= end) return {};
    const char* terminator = begin;
    while (terminator < end && *terminator) ++terminator;
    return std::string(begin, terminator);
}

std::string FileVersionQuery(const VersionFunctions& version, std::vector<char>& block) {
    void* value = nullptr;
    UINT length = 0;
    if (version.queryValue(block.data(), "\\VarFileInfo\\Translation", &value, &length) && value &&
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
    const VersionFunctions version;
    if (!version.Complete()) return {};
    std::string path = SystemFolder() + "\\shdocvw.dll";
    DWORD handle = 0;
    DWORD size = version.getInfoSize(path.c_str(), &handle);
    if (size == 0) return {};
    std::vector<char> block(size);
    if (!version.getInfo(path.c_str(), handle, size, block.data())) return {};
    return QueryText(version, block, FileVersionQuery(version, block));
}

HWND CallHtmlHelp(HWND caller, const std::string& file, UINT command, DWORD_PTR data) {
    Module& module = HtmlHelpModule();
    if (!module) {
        module = LoadLibraryQuietly("hhctrl.ocx");
    }
    using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
    auto htmlHelp = ProcAddress<HtmlHelpFunction>(module.get(), "HtmlHelpA");
    if (!htmlHelp) return nullptr;
    return htmlHelp(caller, file.c_str(), command, data);
}

}  // namespace velvane
