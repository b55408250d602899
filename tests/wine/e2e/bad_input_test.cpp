// Broken discs, one per row: every way an author can get a disc wrong ends in an outcome the
// user can understand (a message box of the catalogue, the start-up error box, or a normal
// start), never in a crash report, a hang or a process left behind.
//
// Broken files the other tests already run (empty, 50 MB and binary configuration files,
// truncated, empty and oversized bitmaps, a requirement file that is no library, a skin
// position with a missing entry) are not repeated here.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "services/message_catalogue.h"
#include "case_name.h"
#include "driver/driver.h"
#include "driver/driver_more.h"
#include "support/bitmap_file.h"
#include "e2e/program_runs.h"
#include "e2e/sample_disc.h"

namespace velvane::e2e {
namespace {

// The pictures of the rows: the top half an opaque blue, the bottom half magenta, which as the
// bottom-left colour is the transparent one. Large enough that the window's frame does not
// force the client area wider than the picture.
constexpr int kPictureWidth = 160;
constexpr int kPictureHeight = 120;
constexpr std::uint32_t kBlue = 0x2060A0;
constexpr std::uint32_t kMagenta = 0xFF00FF;

bool Opaque(int y) {  // y counted from the top
    return y < kPictureHeight / 2;
}

void Put(std::string& out, std::uint32_t value, int bytes) {
    testsupport::AppendLittleEndian(out, value, bytes);
}

// A bitmap file with the 40-byte info header in forms the 24-bit writer does not make: a
// colour table or bit masks after the header, then `pixels` as stored (bottom row first).
std::string BitmapFile(int bitCount, std::uint32_t compression, const std::string& afterHeader,
                       const std::string& pixels) {
    return testsupport::BmpHeaders(kPictureWidth, kPictureHeight, bitCount,
                                   static_cast<std::uint32_t>(pixels.size()),
                                   static_cast<std::uint32_t>(afterHeader.size()), compression) +
           afterHeader + pixels;
}

// Index 0 magenta, index 1 blue, as blue-green-red quads.
std::string TwoColourTable() {
    std::string table;
    Put(table, kMagenta, 4);
    Put(table, kBlue, 4);
    return table;
}

// Each row one run of its colour index, then end of line; end of bitmap after the last row.
std::string RunLengthBitmap(bool fourBit) {
    std::string pixels;
    for (int y = kPictureHeight - 1; y >= 0; --y) {
        const int index = Opaque(y) ? 1 : 0;
        pixels += static_cast<char>(kPictureWidth);
        pixels += static_cast<char>(fourBit ? index * 0x11 : index);
        pixels += std::string("\0\0", 2);
    }
    pixels += std::string("\0\1", 2);
    return BitmapFile(fourBit ? 4 : 8, fourBit ? BI_RLE4 : BI_RLE8, TwoColourTable(), pixels);
}

std::string OneBitBitmap() {
    const int stride = (kPictureWidth + 31) / 32 * 4;
    std::string pixels;
    for (int y = kPictureHeight - 1; y >= 0; --y) {
        std::string row(static_cast<std::size_t>(stride), '\0');
        for (int x = 0; Opaque(y) && x < kPictureWidth; ++x) {
            row[static_cast<std::size_t>(x / 8)] |= static_cast<char>(0x80 >> (x % 8));
        }
        pixels += row;
    }
    return BitmapFile(1, BI_RGB, TwoColourTable(), pixels);
}

// 16 bits a pixel, five for red, six for green, five for blue, as the masks say.
std::string BitFieldsBitmap() {
    auto rgb565 = [](std::uint32_t rgb) {
        return (((rgb >> 19) & 0x1F) << 11) | (((rgb >> 10) & 0x3F) << 5) | ((rgb >> 3) & 0x1F);
    };
    std::string masks;
    Put(masks, 0xF800, 4);
    Put(masks, 0x07E0, 4);
    Put(masks, 0x001F, 4);
    const int stride = (kPictureWidth * 2 + 3) & ~3;
    std::string pixels;
    for (int y = kPictureHeight - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < kPictureWidth; ++x) Put(row, rgb565(Opaque(y) ? kBlue : kMagenta), 2);
        row.resize(static_cast<std::size_t>(stride), '\0');
        pixels += row;
    }
    return BitmapFile(16, BI_BITFIELDS, masks, pixels);
}

// The 24-bit writer's rows, stored top row first and said so by a negative height.
std::string TopDownBitmap() {
    std::string file = Bitmap24(kPictureWidth, kPictureHeight, [](int, int y) {
        return Opaque(kPictureHeight - 1 - y) ? kBlue : kMagenta;
    });
    std::string height;
    Put(height, static_cast<std::uint32_t>(-kPictureHeight), 4);
    file.replace(22, 4, height);
    return file;
}

// A 4 x 4 PNG picture, as an author's paint program saves one, under a .bmp name.
std::string PngPicture() {
    static const char kPng[] =
        "\x89\x50\x4E\x47\x0D\x0A\x1A\x0A\x00\x00\x00\x0D\x49\x48\x44\x52\x00\x00\x00\x04\x00"
        "\x00\x00\x04\x08\x02\x00\x00\x00\x26\x93\x09\x29\x00\x00\x00\x10\x49\x44\x41\x54\x78"
        "\xDA\x63\x50\x48\x58\x00\x47\x0C\xC4\x71\x00\xCC\x43\x12\x01\x58\xB5\x33\x58\x00\x00"
        "\x00\x00\x49\x45\x4E\x44\xAE\x42\x60\x82";
    return std::string(kPng, sizeof kPng - 1);
}

// Code page 1252 text as UTF-16 (little-endian, with its byte order mark); the characters the
// rows use are below 0x100, where both agree.
std::string Utf16(const std::string& text) {
    std::string bytes = "\xFF\xFE";
    for (char c : text) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

std::string Settings(const std::string& lines) {
    return "[velvane]\r\nstartpage=index.html\r\n" + lines;
}

enum class Outcome {
    kStarts,            // the main window appears, closes, and the program ends with code 0
    kMessage,           // an error box with a catalogue text, no window, code 0
    kApplicationError,  // the start-up error box, no window, code 1
};

// What a normal start is checked for beyond the window itself.
enum class Look {
    kWindow,
    kSkin,         // the window takes the picture's size and its opaque top half
    kButton,       // one button of the picture's size plus the button margins
    kDefaultSize,  // the 400 x 300 window of the defaults
};

using Files = std::vector<std::pair<std::string, std::string>>;

struct BadDisc {
    std::string name;
    Files files;
    Outcome outcome = Outcome::kStarts;
    Look look = Look::kWindow;
    std::string caption;         // kStarts: the window's caption, when not empty
    const char* library = "";    // a test library of the build, copied to check.dll
    std::int32_t messageId = 0;  // kMessage
    std::string argument;        // kMessage: a path on the disc, the disc's folder goes in front
    std::string errorText;       // kApplicationError: "~" stands for the disc's folder
};

BadDisc Starts(std::string name, Files files, Look look = Look::kWindow) {
    BadDisc row;
    row.name = std::move(name);
    row.files = std::move(files);
    row.look = look;
    return row;
}

BadDisc ShowsMessage(std::string name, Files files, std::int32_t id, std::string argument = "") {
    BadDisc row = Starts(std::move(name), std::move(files));
    row.outcome = Outcome::kMessage;
    row.messageId = id;
    row.argument = std::move(argument);
    return row;
}

BadDisc FailsToStart(std::string name, Files files, std::string errorText) {
    BadDisc row = Starts(std::move(name), std::move(files));
    row.outcome = Outcome::kApplicationError;
    row.errorText = std::move(errorText);
    return row;
}

BadDisc WithCaption(BadDisc row, std::string caption) {
    row.caption = std::move(caption);
    return row;
}

BadDisc WithLibrary(BadDisc row, const char* library) {
    row.library = library;
    return row;
}

const std::string kSkinSettings = Settings("skin=art\\skin.bmp\r\n");
const std::string kButtonSettings = Settings("toolbar=exit\r\nbuttondir=art\r\n");

// A skin row and a button row for each picture the system's loader reads.
BadDisc SkinStarts(const std::string& kind, std::string picture) {
    return Starts("Skin" + kind, {{"autorun.inf", kSkinSettings}, {"art\\skin.bmp", picture}},
                  Look::kSkin);
}
BadDisc ButtonStarts(const std::string& kind, std::string picture) {
    return Starts("Button" + kind, {{"autorun.inf", kButtonSettings}, {"art\\exit.bmp", picture}},
                  Look::kButton);
}

const std::string kLargest = "2147483647";
const std::string kSmallest = "-2147483648";
const std::string kOutOfRange = "4294967296";

std::vector<BadDisc> Rows() {
    return {
        // The configuration file.
        WithCaption(Starts("Utf16WithByteOrderMark",
                           {{"autorun.inf", Utf16(Settings("windowcaption=Gr\xFC\xDF"
                                                           "e\r\n"))}}),
                    "Gr\xFC\xDF"
                    "e"),
        // Values are cut to 2047 characters, so the start page named is that long.
        ShowsMessage(
            "MillionCharacterLine",
            {{"autorun.inf", "[velvane]\r\nstartpage=" + std::string(1000000, 'p') + "\r\n"}},
            kMsgStartPageMissing, std::string(2047, 'p')),

        // Pictures in forms other than plain 24-bit rows, and one that is no bitmap at all.
        SkinStarts("Rle8", RunLengthBitmap(false)),
        ButtonStarts("Rle8", RunLengthBitmap(false)),
        SkinStarts("Rle4", RunLengthBitmap(true)),
        ButtonStarts("Rle4", RunLengthBitmap(true)),
        SkinStarts("OneBit", OneBitBitmap()),
        ButtonStarts("OneBit", OneBitBitmap()),
        SkinStarts("BitFields", BitFieldsBitmap()),
        ButtonStarts("BitFields", BitFieldsBitmap()),
        SkinStarts("TopDown", TopDownBitmap()),
        ButtonStarts("TopDown", TopDownBitmap()),
        FailsToStart("SkinPng", {{"autorun.inf", kSkinSettings}, {"art\\skin.bmp", PngPicture()}},
                     "velvane::PictureError: Bitmap image is not valid: ~art\\skin.bmp "
                     "(not a bitmap file)"),
        FailsToStart("ButtonPng",
                     {{"autorun.inf", kButtonSettings}, {"art\\exit.bmp", PngPicture()}},
                     "velvane::ApplicationError: Bitmap image is not valid: ~art\\exit.bmp "
                     "(not a bitmap file)"),

        // Any byte but 0 is a fulfilled requirement.
        WithLibrary(
            Starts("RequirementAnswersTwo", {{"autorun.inf", Settings("requirements=check\r\n")}}),
            "requirement_answer_two.dll"),

        // Sizes and positions at the ends of the 32-bit range, and one past it.
        Starts("LargestSize", {{"autorun.inf", Settings("windowwidth=" + kLargest +
                                                        "\r\nwindowheight=" + kLargest + "\r\n")}}),
        Starts("SmallestSize",
               {{"autorun.inf",
                 Settings("windowwidth=" + kSmallest + "\r\nwindowheight=" + kSmallest + "\r\n")}}),
        Starts("SizeOutOfRange",
               {{"autorun.inf", Settings("windowwidth=" + kOutOfRange +
                                         "\r\nwindowheight=" + kOutOfRange + "\r\n")}},
               Look::kDefaultSize),
        Starts("LargestPosition",
               {{"autorun.inf", Settings("windowposition=" + kLargest + "," + kLargest + "\r\n")}}),
        Starts("SmallestPosition", {{"autorun.inf", Settings("windowposition=" + kSmallest + "," +
                                                             kSmallest + "\r\n")}}),
        ShowsMessage("PositionOutOfRange",
                     {{"autorun.inf", Settings("windowposition=0," + kOutOfRange + "\r\n")}},
                     kMsgWindowPosition),
        Starts("LargestSkinPosition",
               {{"autorun.inf", kSkinSettings + "skinposition=" + kLargest + "," + kLargest + "," +
                                    kLargest + "," + kLargest + "\r\n"},
                {"art\\skin.bmp", PlainBitmap(kPictureWidth, kPictureHeight)}}),
        Starts("SmallestSkinPosition",
               {{"autorun.inf", kSkinSettings + "skinposition=" + kSmallest + "," + kSmallest +
                                    "," + kSmallest + "," + kSmallest + "\r\n"},
                {"art\\skin.bmp", PlainBitmap(kPictureWidth, kPictureHeight)}}),
    };
}

std::string WithFolder(std::string text, const std::string& folder) {
    const std::size_t at = text.find('~');
    if (at != std::string::npos) text.replace(at, 1, folder);
    return text;
}

// The skin gave the window its size and cut it to the picture's opaque top half.
void ExpectTopHalfShape(HWND window) {
    RECT outer;
    RECT client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, kPictureWidth);
    EXPECT_EQ(client.bottom, kPictureHeight);
    const int borderX = ((outer.right - outer.left) - client.right) / 2;
    const int borderY = ((outer.bottom - outer.top) - client.bottom) - borderX;
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(window, region), SIMPLEREGION);
    RECT box{};
    GetRgnBox(region, &box);
    DeleteObject(region);
    EXPECT_EQ(box.left, borderX);
    EXPECT_EQ(box.top, borderY);
    EXPECT_EQ(box.right, borderX + kPictureWidth);
    EXPECT_EQ(box.bottom, borderY + kPictureHeight / 2);
}

void ExpectOneButtonOfThePicture(HWND window) {
    HWND toolBar = ToolBarOf(window);
    ASSERT_TRUE(toolBar);
    EXPECT_EQ(SendMessageA(toolBar, TB_BUTTONCOUNT, 0, 0), 1);
    const LRESULT size = SendMessageA(toolBar, TB_GETBUTTONSIZE, 0, 0);
    EXPECT_EQ(LOWORD(size), kPictureWidth + 7);
    EXPECT_EQ(HIWORD(size), kPictureHeight + 6);
    // The button shows the picture: its upper quarter lies in the blue half. A picture the
    // system misread comes out black.
    RECT bar{};
    GetWindowRect(toolBar, &bar);
    const COLORREF blue = RGB((kBlue >> 16) & 0xFF, (kBlue >> 8) & 0xFF, kBlue & 0xFF);
    COLORREF seen = CLR_INVALID;
    EXPECT_TRUE(driver::WaitUntil(
        [&] {
            seen = driver::ScreenPixel(bar.left + LOWORD(size) / 2, bar.top + HIWORD(size) / 4);
            return driver::ColoursClose(seen, blue, 8);
        },
        kWindowTimeout))
        << std::hex << "seen 0x" << seen;
}

void ExpectNormalStart(const SampleDisc& disc, const BadDisc& row) {
    std::optional<RunningProgram> program = StartUntilMainWindow(disc);
    ASSERT_TRUE(program);
    const HWND window = program->window.hwnd;
    if (!row.caption.empty()) {
        EXPECT_EQ(program->window.text, row.caption);
    }
    if (row.look == Look::kSkin) ExpectTopHalfShape(window);
    if (row.look == Look::kButton) ExpectOneButtonOfThePicture(window);
    if (row.look == Look::kDefaultSize) {
        EXPECT_EQ(program->window.rect.right - program->window.rect.left, 400);
        EXPECT_EQ(program->window.rect.bottom - program->window.rect.top, 300);
    }
    if (*row.library) {
        EXPECT_EQ(disc.Read("requirement-calls.txt"), "check.dll window\r\n");
    }
    CloseAndExpectExit(*program);
}

class BadInput : public testing::TestWithParam<BadDisc> {};

TEST_P(BadInput, EndsAsDesigned) {
    const BadDisc& row = GetParam();
    SampleDisc disc;
    for (const auto& [path, content] : row.files) disc.Write(path, content);
    if (*row.library) disc.CopyFromBuild(row.library, "check.dll");
    switch (row.outcome) {
        case Outcome::kStarts:
            ExpectNormalStart(disc, row);
            break;
        case Outcome::kMessage:
            ExpectStopsWithError(
                disc, GetMessageText(GermanUser() ? "ger" : "int", row.messageId,
                                     row.argument.empty() ? "" : disc.Folder() + row.argument));
            break;
        case Outcome::kApplicationError:
            ExpectStopsWithError(disc, WithFolder(row.errorText, disc.Folder()), "Anwendungsfehler",
                                 1);
            break;
    }
}

INSTANTIATE_TEST_SUITE_P(Discs, BadInput, testing::ValuesIn(Rows()), CaseName());

}  // namespace
}  // namespace velvane::e2e
