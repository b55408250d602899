#include "window/setup.h"

#include <gtest/gtest.h>

#include "case_name.h"

namespace velvane {
namespace {

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

// The size step and then the placement, as setup runs them, on a screen of 1024 x 768.
struct PlacementCase {
    const char* name;
    bool fullScreen;
    const char* skin;
    const char* position;
    Size window;
    bool maximise;
    bool resize;
    bool place;
    bool centred;
    std::optional<std::int32_t> left;  // the edges set, in this order
    std::optional<std::int32_t> top;
};

constexpr Size kScreen{1024, 768};
constexpr Size kDesign{341, 262};

const PlacementCase kPlacementCases[] = {
    // Full screen: never placed, so not even an invalid position stops start-up.
    {"FullScreenMaximises", true, "", "Center", kDesign, true, false, false, false, {}, {}},
    {"FullScreenSkinKeepsDesign", true, "skin.bmp", "1,2", kDesign, false, false, false, false,
     {}, {}},
    {"SkinlessIsSizedThenPlaced", false, "", "100,50", {400, 300}, false, true, true, false, 100,
     50},
    {"SkinKeepsItsSize", false, "skin.bmp", "center", {400, 300}, false, false, true, true, 312,
     234},
    {"MissingSkinStillNamed", false, "gone.bmp", "-5,-6", kDesign, false, false, true, false, -5,
     -6},
    {"CentreDividesTowardZero", false, "", "center", {341, 263}, false, true, true, true, 341,
     252},
    {"LargerThanScreen", false, "", "center", {2001, 768}, false, true, true, true, -488, 0},
    {"NearThe32BitLimit", false, "", "center", {INT32_MAX, 0}, false, true, true, true,
     -1073741311, 384},
    // Invalid: the left edge, when it converts, is set before start-up stops.
    {"BadTopAfterLeft", false, "", "100,fifty", kDesign, false, true, true, false, 100, {}},
    {"BadLeftTopUnread", false, "", "x1y,50", kDesign, false, true, true, false, {}, {}},
    {"NoComma", false, "", "100", kDesign, false, true, true, false, {}, {}},
    {"CapitalCenter", false, "", "Center", kDesign, false, true, true, false, {}, {}},
};

class WindowPlacementCases : public testing::TestWithParam<PlacementCase> {};

TEST_P(WindowPlacementCases, SizesThenPlaces) {
    const PlacementCase& c = GetParam();
    const WindowSizing sizing = SizingFor(c.fullScreen, c.skin);
    EXPECT_EQ(sizing.maximise, c.maximise);
    EXPECT_EQ(sizing.resize, c.resize);
    ASSERT_EQ(sizing.place, c.place);
    if (!sizing.place) return;
    const WindowPlacement placement = PlaceWindow(c.position, kScreen, c.window);
    EXPECT_EQ(placement.centred, c.centred);
    EXPECT_EQ(placement.left, c.left);
    EXPECT_EQ(placement.top, c.top);
    EXPECT_EQ(placement.Valid(), c.left && c.top);
}

INSTANTIATE_TEST_SUITE_P(Settings, WindowPlacementCases, testing::ValuesIn(kPlacementCases),
                         CaseName());

}  // namespace
}  // namespace velvane
