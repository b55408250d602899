#include "win32/library_win.h"

namespace velvane {

Module LoadLibraryQuietly(const std::string& path) {
    const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    Module library(LoadLibraryA(path.c_str()));
    SetErrorMode(previousMode);
    return library;
}

HMODULE SystemLibrary(const char* fileName) {
    if (HMODULE loaded = GetModuleHandleA(fileName)) return loaded;
    char folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    Module library = LoadLibraryQuietly(std::string(folder, length) + "\\" + fileName);
    return library ? library.release() : nullptr;  // kept on purpose: see the header
}

}  // namespace velvane
