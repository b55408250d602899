#include "skin/bitmap_file.h"

#include <gtest/gtest.h>

#include "case_name.h"
#include "support/bitmap_file.h"

namespace velvane {
namespace {

using testsupport::PutLittleEndian;

// The headers of an uncompressed bitmap and the size of a file holding all its pixels.
struct Bitmap {
    std::string head = std::string(54, '\0');
    std::uint64_t fileSize = 0;
};

Bitmap MakeBitmap(std::int32_t width, std::int32_t height, int bits) {
    Bitmap b;
    b.head[0] = 'B';
    b.head[1] = 'M';
    PutLittleEndian(b.head, 10, 54);
    PutLittleEndian(b.head, 14, 40);
    PutLittleEndian(b.head, 18, static_cast<std::uint32_t>(width));
    PutLittleEndian(b.head, 22, static_cast<std::uint32_t>(height));
    PutLittleEndian(b.head, 26, 1, 2);
    PutLittleEndian(b.head, 28, static_cast<std::uint32_t>(bits), 2);
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
    PutLittleEndian(b.head, at, value, size);
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

// A whole top-down file: headers of `infoSize` bytes, `afterHeader` (masks or colour table), then
// `height` rows of `stride` bytes, row r filled with the byte 'a' + r.
struct TopDownFile {
    std::string bytes;
    std::size_t stride = 0;
    std::uint32_t height = 0;
};

TopDownFile MakeTopDown(std::int32_t width, std::int32_t height, int bits,
                        std::uint32_t infoSize = 40, std::uint32_t compression = 0,
                        const std::string& afterHeader = "", std::uint32_t coloursUsed = 0) {
    TopDownFile f;
    f.stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    f.height = static_cast<std::uint32_t>(height);
    const std::uint32_t offset = 14 + infoSize + static_cast<std::uint32_t>(afterHeader.size());
    f.bytes = std::string(14 + infoSize, '\0');
    f.bytes[0] = 'B';
    f.bytes[1] = 'M';
    PutLittleEndian(f.bytes, 10, offset);
    PutLittleEndian(f.bytes, 14, infoSize);
    PutLittleEndian(f.bytes, 18, static_cast<std::uint32_t>(width));
    PutLittleEndian(f.bytes, 22, static_cast<std::uint32_t>(-height));
    PutLittleEndian(f.bytes, 26, 1, 2);
    PutLittleEndian(f.bytes, 28, static_cast<std::uint32_t>(bits), 2);
    PutLittleEndian(f.bytes, 30, compression);
    PutLittleEndian(f.bytes, 46, coloursUsed);
    if (infoSize >= 52) {  // masks inside the header
        PutLittleEndian(f.bytes, 54, 0xF800);
        PutLittleEndian(f.bytes, 58, 0x07E0);
        PutLittleEndian(f.bytes, 62, 0x001F);
    }
    f.bytes += afterHeader;
    for (int r = 0; r < height; ++r) f.bytes += std::string(f.stride, static_cast<char>('a' + r));
    return f;
}

TopDownFile Edited(TopDownFile f, std::size_t at, std::uint32_t value) {
    PutLittleEndian(f.bytes, at, value);
    return f;
}

struct TopDownCase {
    const char* name;
    TopDownFile file;
    std::string table;  // the masks or colour table the result must carry
    std::uint32_t colours;
    bool turns;
};

const std::string kMasks565("\x00\xF8\0\0\xE0\x07\0\0\x1F\0\0\0", 12);
const std::string kTwoColours("\x10\x20\x30\0\x40\x50\x60\0", 8);
const std::string kSixteenColours(64, '\x33');

const TopDownCase kTopDownCases[] = {
    {"Rgb24", MakeTopDown(5, 3, 24), "", 0, true},
    {"Rgb32", MakeTopDown(2, 4, 32), "", 0, true},
    {"MonochromeWithPadding", MakeTopDown(9, 2, 1, 40, 0, kTwoColours), kTwoColours, 2, true},
    {"FourBitsAllColours", MakeTopDown(3, 2, 4, 40, 0, kSixteenColours), kSixteenColours, 16, true},
    {"EightBitsTwoColoursUsed", MakeTopDown(3, 5, 8, 40, 0, kTwoColours, 2), kTwoColours, 2, true},
    {"MoreColoursUsedThanBitsHold", MakeTopDown(3, 1, 1, 40, 0, kTwoColours + kTwoColours, 4),
     kTwoColours, 2, true},
    {"BitFieldsAfterHeader", MakeTopDown(3, 2, 16, 40, 3, kMasks565), kMasks565, 0, true},
    {"BitFieldsInsideLongHeader", MakeTopDown(3, 2, 16, 124, 3), kMasks565, 0, true},
    {"LongHeaderRgb", MakeTopDown(2, 2, 24, 108), "", 0, true},
    {"BottomUp", Edited(MakeTopDown(2, 2, 24), 22, 2), "", 0, false},
    {"Rle8", MakeTopDown(4, 2, 8, 40, 1, std::string(1024, '\0')), "", 0, false},
    {"ColourTableRunsIntoPixels", MakeTopDown(3, 2, 8, 40, 0, kTwoColours), "", 0, false},
    {"MasksMissing", MakeTopDown(3, 2, 16, 40, 3), "", 0, false},
    {"RowsCutShort", Edited(MakeTopDown(3, 2, 24), 22, static_cast<std::uint32_t>(-3)), "", 0,
     false},
    {"SmallestHeight", Edited(MakeTopDown(1, 1, 24), 22, 0x80000000u), "", 0, false},
};

class TopDownFiles : public testing::TestWithParam<TopDownCase> {};

TEST_P(TopDownFiles, TurnBottomUpWithTheirOwnColours) {
    const TopDownCase& c = GetParam();
    BottomUpBitmap out;
    const std::optional<std::string> problem = MakeBottomUp(c.file.bytes, out);
    ASSERT_EQ(!problem.has_value(), c.turns) << problem.value_or("");
    if (!c.turns) return;
    ASSERT_EQ(out.info.size(), 40 + c.table.size());
    // The file's own header, cut to 40 bytes, with the height turned and the colours counted.
    std::string header = c.file.bytes.substr(14, 40);
    PutLittleEndian(header, 0, 40);
    PutLittleEndian(header, 8, c.file.height);
    PutLittleEndian(header, 32, c.colours);
    EXPECT_EQ(out.info.substr(0, 40), header);
    EXPECT_EQ(out.info.substr(40), c.table);
    std::string rows;
    for (std::uint32_t r = c.file.height; r-- > 0;) {
        rows += std::string(c.file.stride, static_cast<char>('a' + r));
    }
    EXPECT_EQ(out.pixels, rows);
}

INSTANTIATE_TEST_SUITE_P(Files, TopDownFiles, testing::ValuesIn(kTopDownCases), CaseName());

}  // namespace
}  // namespace velvane
