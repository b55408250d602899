#include "skin/bitmap_file.h"

#include <array>

namespace velvane {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::array<std::uint32_t, 5> kInfoHeaderSizes{40, 52, 56, 108, 124};
constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kBitFields = 3;

std::uint32_t Read32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

std::uint16_t Read16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

struct BitmapGeometry {
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t bitCount = 0;
    std::uint32_t compression = kRgb;
};

bool KnownBitCount(std::uint32_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// The headers of a file with this start, or why they cannot be read.
struct BitmapHeaders {
    std::uint32_t pixelOffset = 0;
    std::uint32_t infoSize = 0;
    std::uint32_t planes = 0;
    BitmapGeometry geometry;
};

std::optional<std::string> ReadHeaders(std::string_view head, BitmapHeaders& headers) {
    if (head.size() < kFileHeaderSize + kCoreHeaderSize || head.substr(0, 2) != "BM") {
        return "not a bitmap file";
    }
    headers.pixelOffset = Read32(head, 10);
    headers.infoSize = Read32(head, kFileHeaderSize);
    BitmapGeometry& geometry = headers.geometry;
    if (headers.infoSize == kCoreHeaderSize) {
        geometry.width = Read16(head, 18);
        geometry.height = Read16(head, 20);
        headers.planes = Read16(head, 22);
        geometry.bitCount = Read16(head, 24);
        return std::nullopt;
    }
    bool known = false;
    for (std::uint32_t size : kInfoHeaderSizes) known = known || headers.infoSize == size;
    if (!known || head.size() < kFileHeaderSize + 40) return "unknown bitmap header";
    geometry.width = static_cast<std::int32_t>(Read32(head, 18));
    geometry.height = static_cast<std::int32_t>(Read32(head, 22));
    if (geometry.height < 0) geometry.height = -geometry.height;  // top-down rows
    headers.planes = Read16(head, 26);
    geometry.bitCount = Read16(head, 28);
    geometry.compression = Read32(head, 30);
    return std::nullopt;
}

}  // namespace

std::optional<BitmapDimensions> BitmapFileDimensions(std::string_view head) {
    BitmapHeaders headers;
    if (ReadHeaders(head, headers)) return std::nullopt;
    return BitmapDimensions{headers.geometry.width, headers.geometry.height};
}

std::optional<std::string> CheckBitmapFile(std::string_view head, std::uint64_t fileSize) {
    BitmapHeaders headers;
    if (std::optional<std::string> problem = ReadHeaders(head, headers)) return problem;
    const std::uint32_t pixelOffset = headers.pixelOffset;
    const std::uint32_t infoSize = headers.infoSize;
    const std::uint32_t planes = headers.planes;
    const BitmapGeometry& geometry = headers.geometry;
    if (planes != 1 || !KnownBitCount(geometry.bitCount)) return "unknown pixel format";
    if (geometry.width <= 0 || geometry.height <= 0) return "no pixels";
    if (pixelOffset < kFileHeaderSize + infoSize || pixelOffset >= fileSize) {
        return "no pixel data";
    }
    if (geometry.compression == kRle8 || geometry.compression == kRle4) return std::nullopt;
    if (geometry.compression != kRgb && geometry.compression != kBitFields) {
        return "unknown compression";
    }
    // Rows are padded to 32 bits; 64-bit arithmetic cannot overflow for 32-bit dimensions.
    std::uint64_t stride =
        (static_cast<std::uint64_t>(geometry.width) * geometry.bitCount + 31) / 32 * 4;
    std::uint64_t pixelBytes = stride * static_cast<std::uint64_t>(geometry.height);
    if (pixelOffset + pixelBytes > fileSize) return "the file ends before its pixels do";
    return std::nullopt;
}

}  // namespace velvane
