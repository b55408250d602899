#include "skin/bitmap_file_win.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "skin/bitmap_file.h"

namespace velvane {
namespace {

struct OpenBitmapFile {
    KernelHandle file;
    std::uint64_t size = 0;
};

std::optional<std::string> Open(const std::string& path, OpenBitmapFile& out) {
    out.file.reset(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out.file) return "cannot be opened";
    DWORD high = 0;
    DWORD low = GetFileSize(out.file.get(), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return "cannot be measured";
    out.size = (static_cast<std::uint64_t>(high) << 32) | low;
    return std::nullopt;
}

// Up to `count` bytes from the file's current position; fewer only at its end or on an error.
std::string Read(HANDLE file, std::uint64_t count) {
    std::string bytes;
    if (count > bytes.max_size()) return bytes;
    bytes.resize(static_cast<std::size_t>(count));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD got = 0;
        if (!ReadFile(file, &bytes[done], chunk, &got, nullptr) || got == 0) break;
        done += got;
    }
    bytes.resize(done);
    return bytes;
}

// A DIB section made from a whole top-down file, its rows turned; nullptr when that fails.
GdiBitmap BottomUpSection(HANDLE file, std::uint64_t size) {
    const std::string bytes = Read(file, size);
    BottomUpBitmap bitmap;
    if (bytes.size() != size || MakeBottomUp(bytes, bitmap)) return {};
    void* bits = nullptr;
    GdiBitmap section(CreateDIBSection(nullptr,
                                       reinterpret_cast<const BITMAPINFO*>(bitmap.info.data()),
                                       DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section || !bits) return {};
    std::memcpy(bits, bitmap.pixels.data(), bitmap.pixels.size());
    return section;
}

}  // namespace

std::optional<std::string> BitmapFileProblem(const std::string& path) {
    OpenBitmapFile open;
    if (std::optional<std::string> problem = Open(path, open)) return problem;
    const std::string head = Read(open.file.get(), kBitmapHeadSize);
    return CheckBitmapFile(head, open.size);
}

GdiBitmap LoadBitmapFile(const std::string& path) {
    {
        OpenBitmapFile open;
        if (Open(path, open)) return {};
        const std::string head = Read(open.file.get(), kBitmapHeadSize);
        if (StoresRowsTopDown(head)) {
            SetFilePointer(open.file.get(), 0, nullptr, FILE_BEGIN);
            return BottomUpSection(open.file.get(), open.size);
        }
    }
    return GdiBitmap(static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                                     LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
}

}  // namespace velvane
