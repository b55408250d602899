#include "skin/bitmap_file.h"

#include <array>

namespace velvane {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::size_t kMaskBytes = 12;
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

void Write32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

struct BitmapGeometry {
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t bitCount = 0;
    std::uint32_t compression = kRgb;
};

// Rows are padded to 32 bits; 64-bit arithmetic cannot overflow for 32-bit dimensions.
std::uint64_t Stride(const BitmapGeometry& geometry) {
    return (static_cast<std::uint64_t>(geometry.width) * geometry.bitCount + 31) / 32 * 4;
}

std::uint64_t PixelBytes(const BitmapGeometry& geometry) {
    return Stride(geometry) * static_cast<std::uint64_t>(geometry.height);
}

bool KnownBitCount(std::uint32_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// The headers of a file with this start, or why they cannot be read.
struct BitmapHeaders {
    std::uint32_t pixelOffset = 0;
    std::uint32_t infoSize = 0;
    std::uint32_t planes = 0;
    bool topDown = false;
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
    headers.topDown = geometry.height < 0;
    if (headers.topDown) geometry.height = -geometry.height;
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
    if (pixelOffset + PixelBytes(geometry) > fileSize) return "the file ends before its pixels do";
    return std::nullopt;
}

bool StoresRowsTopDown(std::string_view head) {
    BitmapHeaders headers;
    return !ReadHeaders(head, headers) && headers.topDown;
}

std::optional<std::string> MakeBottomUp(std::string_view file, BottomUpBitmap& out) {
    if (std::optional<std::string> problem =
            CheckBitmapFile(file.substr(0, kBitmapHeadSize), file.size())) {
        return problem;
    }
    BitmapHeaders headers;
    ReadHeaders(file, headers);
    const BitmapGeometry& geometry = headers.geometry;
    if (!headers.topDown) return "the rows are not stored top down";
    if (geometry.compression != kRgb && geometry.compression != kBitFields) {
        return "compressed rows cannot be stored top down";
    }
    // The masks sit at the same place whether the header holds them (52 bytes and longer) or
    // they follow a 40-byte one; a colour table follows the header.
    std::size_t tableAt = kFileHeaderSize + kInfoHeaderSize;
    std::size_t tableBytes = 0;
    if (geometry.compression == kBitFields) {
        tableBytes = kMaskBytes;
    } else if (geometry.bitCount <= 8) {
        const std::uint32_t most = 1u << geometry.bitCount;
        const std::uint32_t used = Read32(file, kFileHeaderSize + 32);
        tableAt = kFileHeaderSize + headers.infoSize;
        tableBytes = 4 * static_cast<std::size_t>(used == 0 || used > most ? most : used);
    }
    if (tableAt + tableBytes > headers.pixelOffset) return "the colour table runs into the pixels";

    out.info.assign(file.substr(kFileHeaderSize, kInfoHeaderSize));
    Write32(out.info, 0, kInfoHeaderSize);
    Write32(out.info, 8, static_cast<std::uint32_t>(geometry.height));
    Write32(out.info, 20, 0);  // image size: the rows' own
    const bool colourTable = geometry.compression == kRgb;
    Write32(out.info, 32, colourTable ? static_cast<std::uint32_t>(tableBytes / 4) : 0);
    Write32(out.info, 36, 0);  // important colours: all
    out.info.append(file.substr(tableAt, tableBytes));

    // CheckBitmapFile made sure that every row lies inside the file, which is in memory.
    const std::size_t stride = static_cast<std::size_t>(Stride(geometry));
    const std::size_t rows = static_cast<std::size_t>(geometry.height);
    const std::string_view stored = file.substr(headers.pixelOffset, stride * rows);
    out.pixels.resize(stride * rows);
    for (std::size_t row = 0; row < rows; ++row) {
        stored.substr((rows - 1 - row) * stride, stride).copy(&out.pixels[row * stride], stride);
    }
    return std::nullopt;
}

}  // namespace velvane
