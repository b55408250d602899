#include "support/temp_folder_win.h"

#include <windows.h>

#include <algorithm>
#include <stdexcept>

namespace velvane::testsupport {
namespace {

// Removes `folder` (with a trailing backslash) and everything in it, read-only files too.
void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path + "\\");
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

void WriteWholeFile(const std::string& path, std::string_view content) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write " + path);
    std::size_t done = 0;
    bool failed = false;
    while (done < content.size() && !failed) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1 << 20));
        failed = !::WriteFile(file, content.data() + done, chunk, &written, nullptr) || !written;
        done += written;
    }
    CloseHandle(file);
    if (failed) throw std::runtime_error("cannot write all of " + path);
}

std::string ReadFileText(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string content;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        content.append(buffer, got);
    }
    CloseHandle(file);
    return content;
}

TempFolder::TempFolder(const std::string& purpose) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    static int counter = 0;
    for (;;) {
        path_ = std::string(temp) + "velvane-" + purpose + "-" +
                std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter) + "\\";
        if (CreateDirectoryA(path_.c_str(), nullptr)) break;
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            throw std::runtime_error("cannot make a temp folder " + path_);
        }
    }
}

TempFolder::~TempFolder() {
    RemoveTree(path_);
}

void TempFolder::Write(const std::string& relative, std::string_view content) const {
    const std::string path = File(relative);
    for (std::size_t slash = path.find('\\', path_.size()); slash != std::string::npos;
         slash = path.find('\\', slash + 1)) {
        CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
    }
    WriteWholeFile(path, content);
}

std::string SourceTreePath(const std::string& relative) {
    // The source tree as the build names it (the objects' own file names carry no folders, so
    // that builds are reproducible), seen through Wine's drive Z: (the Unix root).
    std::string path = "Z:" VELVANE_SOURCE_DIR "/" + relative;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

}  // namespace velvane::testsupport
