#pragma once
// A look at a bitmap file before the system's loader gets it. Loaders differ on broken files:
// some read past the end of a truncated one and show whatever follows. A disc's bitmap either
// holds all the pixels its header promises or it is no readable picture.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velvane {

// Bytes of the file's start that CheckBitmapFile needs at most.
constexpr std::size_t kBitmapHeadSize = 14 + 124;

// Why the file with this start (`head`, up to kBitmapHeadSize bytes) and this size is no
// readable bitmap, or nullopt when its headers are sound and the file holds every pixel they
// promise.
std::optional<std::string> CheckBitmapFile(std::string_view head, std::uint64_t fileSize);

// The width and height in pixels that the headers of a file CheckBitmapFile accepts give (rows
// counted whichever way they run), or nullopt when the headers cannot be read.
struct BitmapDimensions {
    std::int64_t width = 0;
    std::int64_t height = 0;
};
std::optional<BitmapDimensions> BitmapFileDimensions(std::string_view head);

// Whether the file with this start stores its rows top row first (a negative height). Some
// system loaders read such a file as an all-black picture, so the program turns it around itself.
bool StoresRowsTopDown(std::string_view head);

// A bitmap as a DIB section is made from it: `info` a 40-byte info header with a positive
// height, followed by the three bit masks or the colour table the header asks for, and `pixels`
// the rows bottom row first, each padded to 32 bits.
struct BottomUpBitmap {
    std::string info;
    std::string pixels;
};

// The bitmap of `file` (a whole file that stores its rows top down), with the same colour depth,
// masks and colour table, or why it cannot be made. Colour tables are as long as the system's
// loader takes them: the header's count of colours, at most 2^bits, and all 2^bits when it says 0.
std::optional<std::string> MakeBottomUp(std::string_view file, BottomUpBitmap& out);

}  // namespace velvane
