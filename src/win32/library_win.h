#pragma once
// Loading libraries and finding their functions, without the system's own error boxes.

#include <windows.h>

#include <string>

#include "win32/unique_handle_win.h"

namespace velvane {

// The library at `path`, or an empty Module when it cannot be loaded. The system shows no box
// of its own for a missing file or disc: reporting the failure is the caller's part.
Module LoadLibraryQuietly(const std::string& path);

// The system library `fileName` (such as "shell32.dll"): the one already in the process, or else
// loaded from the system folder, never from the disc's. Nothing when it cannot be loaded.
//
// For the libraries the program needs only after its window shows (the shell, sound, file
// versions): not importing them spares every start the cost of loading them and all they load
// in turn. A library loaded here stays for the rest of the process, since work it started (the
// shell's threads, a sound still playing) may outlive the call that loaded it.
HMODULE SystemLibrary(const char* fileName);

// The function `name` exported by `library`, as a pointer of type Function; nullptr when the
// library or the function is missing.
template <typename Function>
Function ProcAddress(HMODULE library, const char* name) {
    if (!library) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace velvane
