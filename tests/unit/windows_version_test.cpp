#include "sysinfo/windows_version.h"

#include <gtest/gtest.h>

#include "core/hex_digits.h"

#include "case_name.h"

#include "browserhost/ie_utils.h"

namespace velvane {
namespace {

struct ReleaseCase {
    const char* name;
    OsVersionNumbers numbers;
    WindowsVersionCode code;
};

const ReleaseCase kReleases[] = {
    {"Windows95", {4, 0, 950, 1, ""}, 1},
    {"Windows95OSR2", {4, 0, 1111, 1, " B"}, 2},
    {"Windows95LetterC", {4, 0, 1212, 1, " C"}, 1},
    {"Windows95LowerCaseB", {4, 0, 1111, 1, " b"}, 1},
    {"Windows98", {4, 10, 1998, 1, " "}, 3},
    {"Windows98SE", {4, 10, 2222, 1, " A "}, 4},
    {"Windows98LowerCaseA", {4, 10, 2222, 1, " a"}, 3},
    {"Windows98TabBeforeNothing", {4, 10, 2222, 1, "A"}, 3},
    {"WindowsMe", {4, 90, 0x045A0BB8, 1, " "}, 5},
    {"WindowsMeOtherBuild", {4, 90, 0x045A0BB9, 1, " "}, 0},
    {"WindowsMeBuildOnlyLowWord", {4, 90, 3000, 1, " "}, 0},
    {"Windows9xUnknownMinor", {4, 3, 0, 1, ""}, 0},
    {"NT351", {3, 51, 1057, 2, ""}, 6},
    {"NT4", {4, 0, 1381, 2, "Service Pack 6"}, 7},
    {"Windows2000", {5, 0, 2195, 2, ""}, 8},
    {"WindowsXP", {5, 1, 2600, 2, "Service Pack 3"}, 9},
    {"Server2003", {5, 2, 3790, 2, ""}, 10},
    {"NT5UnknownMinor", {5, 3, 0, 2, ""}, 0},
    {"Vista", {6, 0, 6000, 2, ""}, 0},
    {"Windows7", {6, 1, 7601, 2, "Service Pack 1"}, 0},
    {"Windows10", {10, 0, 19045, 2, ""}, 0},
    {"Win32s", {3, 10, 0, 0, ""}, 0},
    {"UnknownPlatform", {5, 1, 2600, 3, ""}, 0},
};

class WindowsVersion : public testing::TestWithParam<ReleaseCase> {};

TEST_P(WindowsVersion, IsClassified) {
    EXPECT_EQ(ClassifyWindowsVersion(GetParam().numbers), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Releases, WindowsVersion, testing::ValuesIn(kReleases), CaseName());

TEST(DropShadowReleases, AreExactlyXpAndServer2003) {
    for (int code = 0; code <= 255; ++code) {
        EXPECT_EQ(SupportsDropShadow(static_cast<WindowsVersionCode>(code)),
                  code == 9 || code == 10)
            << code;
    }
}

// 95, 98 and Me (platform 1) and Win32s (0) have the UTF-16 file and shell calls only as failing stubs.
TEST(FileNameCallsChoice, AnsiWhenTheCodePageHoldsTheNameElseUtf16ButNoneOn9x) {
    const struct {
        std::uint32_t platformId;
        bool ansiHoldsName;
        FileNameCalls calls;
    } rows[] = {
        {1, true, FileNameCalls::Ansi}, {1, false, FileNameCalls::None},
        {2, true, FileNameCalls::Ansi}, {2, false, FileNameCalls::Wide},
        {0, false, FileNameCalls::None},  // Win32s: no UTF-16 calls either
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ChooseFileNameCalls(row.platformId, row.ansiHoldsName), row.calls)
            << row.platformId << " " << row.ansiHoldsName;
    }
}

TEST(FileVersionQuery, FormatsLanguageThenCodePageInLowerCaseHex) {
    EXPECT_EQ(FileVersionQueryPath(0x04B00409), "\\StringFileInfo\\040904b0\\FileVersion");
    EXPECT_EQ(FileVersionQueryPath(0x04E40407), "\\StringFileInfo\\040704e4\\FileVersion");
    EXPECT_EQ(FileVersionQueryPath(0), "\\StringFileInfo\\00000000\\FileVersion");
    EXPECT_EQ(FileVersionQueryPath(0xFFFFABCD), "\\StringFileInfo\\abcdffff\\FileVersion");
    EXPECT_EQ(HexDigits(0x8000FFFF, 8, HexLetters::Upper), "8000FFFF");  // OLE error texts
}

}  // namespace
}  // namespace velvane
