#include "skin/bitmap_file.h"

#include <gtest/gtest.h>

#include "case_name.h"

namespace velvane {
namespace {

void Put(std::string& bytes, std::size_t at, std::uint32_t value, int size = 4) {
    for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// The headers of an uncompressed bitmap and the size of a file holding all its pixels.
struct Bitmap {
    std::string head = std::string(54, '\0');
    std::uint64_t fileSize = 0;
};

Bitmap MakeBitmap(std::int32_t width, std::int32_t height, int bits) {
    Bitmap b;
    b.head[0] = 'B';
    b.head[1] = 'M';
    Put(b.head, 10, 54);
    Put(b.head, 14, 40);
    Put(b.head, 18, static_cast<std::uint32_t>(width));
    Put(b.head, 22, static_cast<std::uint32_t>(height));
    Put(b.head, 26, 1, 2);
    Put(b.head, 28, static_cast<std::uint32_t>(bits), 2);
    std::uint64_t stride =
        (static_cast<std::uint64_t>(width < 0 ? -width : width) * bits + 31) / 32 * 4;
    b.fileSize = 54 + stride * static_cast<std::uint64_t>(height < 0 ? -height : height);
    return b;
}

struct FileCase {
    const char* name;
    Bitmap bitmap;
    bool readable;
};

Bitmap With(Bitmap b, std::size_t at, std::uint32_t value, int size = 4) {
    Put(b.head, at, value, size);
    return b;
}

Bitmap Shorter(Bitmap b, std::uint64_t by) {
    b.fileSize -= by;
    return b;
}

const FileCase kCases[] = {
    {"Plain24", MakeBitmap(24, 24, 24), true},
    {"Monochrome", MakeBitmap(33, 7, 1), true},
    {"TopDown32", MakeBitmap(10, -10, 32), true},
    {"OddWidthPadding", MakeBitmap(3, 5, 24), true},
    {"OneByteShort", Shorter(MakeBitmap(24, 24, 24), 1), false},
    {"HugeHeaderSmallFile", Shorter(MakeBitmap(100000, 100000, 24), 29999000000ull), false},
    {"NotBM", With(MakeBitmap(4, 4, 24), 0, 'X', 1), false},
    {"ZeroWidth", With(MakeBitmap(4, 4, 24), 18, 0), false},
    {"NegativeWidth", With(MakeBitmap(4, 4, 24), 18, 0xFFFFFFFC), false},
    {"OddBitCount", With(MakeBitmap(4, 4, 24), 28, 7, 2), false},
    {"TwoPlanes", With(MakeBitmap(4, 4, 24), 26, 2, 2), false},
    {"UnknownHeaderSize", With(MakeBitmap(4, 4, 24), 14, 41), false},
    {"PixelsBeforeHeaderEnd", With(MakeBitmap(4, 4, 24), 10, 20), false},
    {"UnknownCompression", With(MakeBitmap(4, 4, 24), 30, 9), false},
};

class BitmapFiles : public testing::TestWithParam<FileCase> {};

TEST_P(BitmapFiles, AreReadableOnlyWithAllTheirPixels) {
    const FileCase& c = GetParam();
    EXPECT_EQ(!CheckBitmapFile(c.bitmap.head, c.bitmap.fileSize).has_value(), c.readable);
}

INSTANTIATE_TEST_SUITE_P(Headers, BitmapFiles, testing::ValuesIn(kCases), CaseName());

TEST(BitmapFilesShort, TooShortForAnyHeader) {
    EXPECT_TRUE(CheckBitmapFile("", 0));
    EXPECT_TRUE(CheckBitmapFile("BM", 2));
    EXPECT_TRUE(CheckBitmapFile(MakeBitmap(4, 4, 24).head.substr(0, 30), 100));
}

}  // namespace
}  // namespace velvane
