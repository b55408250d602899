// The bitmap check on arbitrary file starts and sizes.
//
// Input: eight bytes of file size, then the file's first bytes. The oracle reads the headers on
// its own and works the pixel bytes out in 128 bits: a file that is accepted holds every pixel
// its headers promise, and one refused only for ending early is accepted once it is long enough.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "skin/bitmap_file.h"

namespace {

std::uint32_t Le(std::string_view b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    return v;
}

struct Promise {
    bool known = false;          // an uncompressed layout whose size the headers fix
    unsigned __int128 end = 0;   // pixel offset + padded rows x height
};

Promise PixelEnd(std::string_view head) {
    Promise p;
    if (head.size() < 26) return p;
    const std::uint32_t infoSize = Le(head, 14, 4);
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t bits = 0;
    std::uint32_t compression = 0;
    if (infoSize == 12) {
        width = Le(head, 18, 2);
        height = Le(head, 20, 2);
        bits = Le(head, 24, 2);
    } else {
        if (head.size() < 54) return p;
        width = static_cast<std::int32_t>(Le(head, 18, 4));
        height = static_cast<std::int32_t>(Le(head, 22, 4));
        height = height < 0 ? -height : height;
        bits = Le(head, 28, 2);
        compression = Le(head, 30, 4);
    }
    if (compression != 0 && compression != 3) return p;
    if (width <= 0 || height <= 0) return p;
    const unsigned __int128 rowBits = static_cast<unsigned __int128>(width) * bits;
    const unsigned __int128 rowBytes = (rowBits + 31) / 32 * 4;
    p.known = true;
    p.end = Le(head, 10, 4) + rowBytes * static_cast<unsigned __int128>(height);
    return p;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 8) return 0;
    std::uint64_t fileSize = 0;
    std::memcpy(&fileSize, data, 8);
    // Sizes near 2^64 are no file; keep them where the 128-bit sums stay exact anyway.
    fileSize >>= data[0] % 40;
    std::string_view head(reinterpret_cast<const char*>(data + 8), size - 8);
    head = head.substr(0, velvane::kBitmapHeadSize);

    const std::optional<std::string> problem = velvane::CheckBitmapFile(head, fileSize);
    const Promise promise = PixelEnd(head);
    if (!problem) {
        FUZZ_CHECK(head.starts_with("BM"));
        FUZZ_CHECK(velvane::BitmapFileDimensions(head).has_value());
        FUZZ_CHECK(velvane::BitmapFileDimensions(head)->width > 0);
        FUZZ_CHECK(velvane::BitmapFileDimensions(head)->height > 0);
        FUZZ_CHECK(Le(head, 10, 4) < fileSize);
        FUZZ_CHECK(!promise.known || promise.end <= fileSize);
        // A longer file with the same start is accepted as well.
        FUZZ_CHECK(!velvane::CheckBitmapFile(head, fileSize + (fileSize >> 1) + 1));
    } else if (*problem == "the file ends before its pixels do") {
        FUZZ_CHECK(promise.known && promise.end > fileSize);
        const unsigned __int128 enough = promise.end + 1;
        if (enough < (static_cast<unsigned __int128>(1) << 64)) {
            FUZZ_CHECK(!velvane::CheckBitmapFile(head, static_cast<std::uint64_t>(enough)));
        }
    }
    return 0;
}
