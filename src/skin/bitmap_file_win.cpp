#include "skin/bitmap_file_win.h"

#include <windows.h>

#include "skin/bitmap_file.h"
#include "win32/unique_handle_win.h"

namespace velvane {

std::optional<std::string> BitmapFileProblem(const std::string& path) {
    KernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return "cannot be opened";
    DWORD high = 0;
    DWORD low = GetFileSize(file.get(), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return "cannot be measured";
    char head[kBitmapHeadSize];
    DWORD got = 0;
    if (!ReadFile(file.get(), head, sizeof head, &got, nullptr)) return "cannot be read";
    std::uint64_t size = (static_cast<std::uint64_t>(high) << 32) | low;
    return CheckBitmapFile(std::string_view(head, got), size);
}

}  // namespace velvane
