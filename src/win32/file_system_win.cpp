#include "win32/file_system_win.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "win32/unique_handle_win.h"

namespace velvane {

std::string ProgramFolder() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD length =
            GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) {
            std::string path(buffer.data(), length);
            return path.substr(0, path.find_last_of("\\/") + 1);
        }
        buffer.resize(buffer.size() * 2);  // truncated: a long path
    }
}

std::string SystemFolder() {
    char folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return std::string(folder, length);
}

bool FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileExists(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    KernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    // GetFileSize rather than its 64-bit successor, which Windows 95 and NT 4.0 lack. A file of
    // 4 GB or more answers a high part, and one above 2 GB is refused all the same.
    DWORD high = 0;
    DWORD low = GetFileSize(file.get(), &high);
    if ((low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) || high != 0 || low > 0x7FFFFFFF)
        return std::nullopt;
    std::string content(low, '\0');
    std::size_t done = 0;
    while (done < content.size()) {
        DWORD chunk = 0;
        DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1 << 20));
        if (!ReadFile(file.get(), content.data() + done, wanted, &chunk, nullptr) || chunk == 0) {
            break;
        }
        done += chunk;
    }
    content.resize(done);
    return content;
}

}  // namespace velvane
