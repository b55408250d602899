#include "window/setup.h"

#include <gtest/gtest.h>

#include <vector>

#include "case_name.h"
#include "window/split_list.h"

namespace velvane {
namespace {

using Entries = std::vector<std::string>;

struct SplitCase {
    const char* name;
    const char* text;
    const char* separator;
    Entries entries;
};

const SplitCase kSplitCases[] = {
    {"Plain", "exit,print", ",", {"exit", "print"}},
    {"AdjacentSeparatorsKeepEmptyEntry", "exit,,print", ",", {"exit", "", "print"}},
    {"LeadingSeparatorGivesEmptyFirstEntry", ",exe", ",", {"", "exe"}},
    {"TrailingSeparatorAddsNothing", "exe,pdf,", ",", {"exe", "pdf"}},
    {"OnlySeparator", ",", ",", {""}},
    {"TwoSeparators", ",,", ",", {"", ""}},
    {"BlanksKept", "check1, check2 ", ",", {"check1", " check2 "}},
    {"EmptyText", "", ",", {}},
    {"NoSeparator", "single", ",", {"single"}},
    {"SeparatorMatchedRegardlessOfCase", "aXbxc", "x", {"a", "b", "c"}},
    {"LongSeparatorCaseInsensitive", "oneANDtwoandthree", "and", {"one", "two", "three"}},
    {"PartialSeparatorAtEndIsText", "oneAN", "and", {"oneAN"}},
};

class SplitListCases : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitListCases, CutsAtEverySeparator) {
    EXPECT_EQ(SplitList(GetParam().text, GetParam().separator), GetParam().entries);
}

INSTANTIATE_TEST_SUITE_P(Lists, SplitListCases, testing::ValuesIn(kSplitCases), CaseName());

TEST(RequirementLibraryPath, AddsDllOnlyWhenTheNameHasNoExtension) {
    EXPECT_EQ(RequirementLibraryPath("D:\\", "check1"), "D:\\check1.dll");
    EXPECT_EQ(RequirementLibraryPath("D:\\", "checks\\dx"), "D:\\checks\\dx.dll");
    EXPECT_EQ(RequirementLibraryPath("D:\\", "tool.exe"), "D:\\tool.exe");
    EXPECT_EQ(RequirementLibraryPath("D:\\", "odd."), "D:\\odd.");
    // A dot in a folder name is no extension of the file.
    EXPECT_EQ(RequirementLibraryPath("D:\\disc.v2\\", "check"), "D:\\disc.v2\\check.dll");
    EXPECT_EQ(RequirementLibraryPath("D:\\", "sub.d\\check"), "D:\\sub.d\\check.dll");
    EXPECT_EQ(RequirementLibraryPath("D:\\", " check2"), "D:\\ check2.dll");
    EXPECT_EQ(RequirementLibraryPath("", "C:check"), "C:check.dll");
}

TEST(FrameForBorderStyle, ComparesTheWordsExactly) {
    EXPECT_EQ(FrameForBorderStyle("none"), FrameKind::None);
    EXPECT_EQ(FrameForBorderStyle("dialog"), FrameKind::Dialog);
    for (const char* other : {"window", "Dialog", "None", "DIALOG", "", " none", "dialog "}) {
        EXPECT_EQ(FrameForBorderStyle(other), FrameKind::Sizeable) << other;
    }
}

struct PositionCase {
    const char* name;
    const char* text;
    bool center;
    std::optional<std::int32_t> left;
    std::optional<std::int32_t> top;
};

const PositionCase kPositionCases[] = {
    {"Center", "center", true, {}, {}},
    {"CapitalCenterIsNoWord", "Center", false, {}, {}},
    {"TwoNumbers", "100,50", false, 100, 50},
    {"NegativeAndHex", "-20,0x10", false, -20, 16},
    {"DollarHex", "$10,+5", false, 16, 5},
    {"NoComma", "100", false, {}, {}},
    {"BadTopKeepsLeft", "100,fifty", false, 100, {}},
    {"BadLeft", "x1y,50", false, {}, 50},
    {"OnlySecondCommaSplits", "1,2,3", false, 1, {}},
    {"EmptyParts", ",", false, {}, {}},
    {"LeadingBlankAllowed", " 100, 50", false, 100, 50},
    {"TrailingBlankIsNotANumber", "100 ,50", false, {}, 50},
};

class WindowPositionCases : public testing::TestWithParam<PositionCase> {};

TEST_P(WindowPositionCases, ReadsCenterOrTwoNumbers) {
    WindowPositionRequest request = ParseWindowPosition(GetParam().text);
    EXPECT_EQ(request.center, GetParam().center);
    EXPECT_EQ(request.left, GetParam().left);
    EXPECT_EQ(request.top, GetParam().top);
}

INSTANTIATE_TEST_SUITE_P(Settings, WindowPositionCases, testing::ValuesIn(kPositionCases),
                         CaseName());

TEST(SkinPosition, PlacesTheBrowserOnlyWithSkinAndFourNumbers) {
    using Values = std::array<std::optional<std::int32_t>, 4>;
    EXPECT_TRUE(BrowserFollowsSkin("skin.bmp", "0,0,100,100"));
    EXPECT_FALSE(BrowserFollowsSkin("", "20,40,600,400"));
    EXPECT_FALSE(BrowserFollowsSkin("skin.bmp", ""));
    EXPECT_EQ(SkinPositionValues("20,40,600,400"), (Values{20, 40, 600, 400}));
    EXPECT_EQ(SkinPositionValues("0x14,-4,600,400,9"), (Values{20, -4, 600, 400}));
    EXPECT_EQ(SkinPositionValues("20,40,600"), (Values{20, 40, 600, {}}));
    EXPECT_EQ(SkinPositionValues("20, 40,600px,400"), (Values{20, 40, {}, 400}));
}

TEST(CentredOrigin, DividesTowardZero) {
    EXPECT_EQ(CentredOrigin(1024, 768, 400, 300).x, 312);
    EXPECT_EQ(CentredOrigin(1024, 768, 400, 300).y, 234);
    EXPECT_EQ(CentredOrigin(1024, 768, 341, 263).x, 341);    // 683 / 2
    EXPECT_EQ(CentredOrigin(1024, 768, 341, 263).y, 252);    // 505 / 2
    EXPECT_EQ(CentredOrigin(1024, 768, 2001, 768).x, -488);  // -977 / 2 rounds toward zero
    EXPECT_EQ(CentredOrigin(1024, 768, 2147483647, 0).x, -1073741311);
}

TEST(ToolbarGeometry, ButtonsFrameTheirImages) {
    EXPECT_EQ(ToolButtonSizeFor({24, 24}).width, 31);
    EXPECT_EQ(ToolButtonSizeFor({24, 24}).height, 30);
    EXPECT_EQ(ToolButtonSizeFor({32, 32}).width, 39);  // the designed 39 x 38
    EXPECT_EQ(ToolButtonSizeFor({32, 32}).height, 38);
    // Regression: a header's size near the 32-bit limit overflowed the sums; they stop there.
    EXPECT_EQ(ToolButtonSizeFor({INT32_MAX - 3, INT32_MAX}).width, INT32_MAX);
    EXPECT_EQ(ToolButtonSizeFor({INT32_MAX - 3, INT32_MAX}).height, INT32_MAX);
    EXPECT_EQ(ToolbarBitmapPath("D:\\", "buttons\\", "exit"), "D:\\buttons\\exit.bmp");
    EXPECT_EQ(ToolbarBitmapPath("D:\\", "buttons\\", ""), "D:\\buttons\\.bmp");
    EXPECT_EQ(ToolbarBitmapPath("D:\\", "", "exit"), "D:\\exit.bmp");
}

TEST(IntroMusicFlags, AreTheDocumentedWords) {
    EXPECT_EQ(IntroMusicFlags(false), 0x22003u);
    EXPECT_EQ(IntroMusicFlags(true), 0x2200Bu);
    EXPECT_EQ(kStopMusicFlags, 1u);
}

TEST(FadeIn, RisesByFourAndEndsAtFullOpacityOnTheSixtyFourthTick) {
    std::vector<int> values;
    std::uint8_t alpha = 0;
    for (int tick = 1; tick <= 100; ++tick) {
        FadeStep step = NextFadeStep(alpha);
        alpha = step.alpha;
        values.push_back(alpha);
        if (step.finished)
            break;
    }
    ASSERT_EQ(values.size(), 64u);
    EXPECT_EQ(values[0], 4);
    EXPECT_EQ(values[62], 252);
    EXPECT_EQ(values[63], 255);
    // A value the timer never produces still ends the fade rather than wrapping past 255.
    EXPECT_EQ(NextFadeStep(253).alpha, 255);
    EXPECT_TRUE(NextFadeStep(253).finished);
    EXPECT_FALSE(NextFadeStep(251).finished);
    EXPECT_EQ(NextFadeStep(251).alpha, 255);
}

}  // namespace
}  // namespace velvane
