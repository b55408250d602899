#include "win32/library_win.h"

#include "win32/file_system_win.h"

namespace velvane {

Module LoadLibraryQuietly(const std::string& path) {
    const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    Module library(LoadLibraryA(path.c_str()));
    SetErrorMode(previousMode);
    return library;
}

HMODULE SystemLibrary(const char* fileName) {
    if (HMODULE loaded = GetModuleHandleA(fileName)) return loaded;
    const std::string folder = SystemFolder();
    if (folder.empty()) return nullptr;
    Module library = LoadLibraryQuietly(folder + "\\" + fileName);
    return library ? library.release() : nullptr;  // kept on purpose: see the header
}

}  // namespace velvane
