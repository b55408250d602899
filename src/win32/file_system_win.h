#pragma once
// Files and folders as the program sees them: 8-bit paths in the ANSI code page.

#include <optional>
#include <string>

namespace velvane {

// The folder of the executable's own path, with its trailing backslash.
std::string ProgramFolder();

// The system folder (where the system's libraries lie), without a trailing backslash; empty
// when the system does not say.
std::string SystemFolder();

// True when `path` names an existing file (not a folder).
bool FileExists(const std::string& path);
// The same for a path the ANSI code page cannot hold.
bool FileExists(const std::wstring& path);

// The whole content of a file, or nullopt when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

}  // namespace velvane
