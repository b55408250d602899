#include "splash/about_box_layout.h"

#include <gtest/gtest.h>

#include <vector>

#include "case_name.h"
#include "splash/about_box.h"

namespace velvane::about_box {
namespace {

// The about box's own design: a bold name and a right-aligned version on one line, a notice
// that wraps at 105 pixels, two single lines, and two "caption: link" lines.
const LabelDesign kDesign[] = {
    {8, 8, 0, false, false},    {146, 8, 60, false, true}, {8, 24, 105, true, false},
    {8, 40, 0, false, false},   {8, 56, 0, false, false},  {8, 72, 0, false, false},
    {48, 72, 0, false, false},  {8, 88, 0, false, false},  {48, 88, 0, false, false},
};

using Texts = std::vector<TextExtent>;
using Placed = std::vector<Bounds>;

struct LayoutCase {
    const char* name;
    Texts texts;
    Placed expected;
};

const LayoutCase kLayoutCases[] = {
    // Tahoma at 11 pixels, as designed: every label where the design puts it.
    {"DesignedFontKeepsDesignedPlaces",
     {{45, 13}, {57, 13}, {97, 13}, {95, 13}, {160, 13}, {25, 13}, {115, 13}, {35, 13}, {105, 13}},
     {{8, 8, 53, 21}, {146, 8, 206, 21}, {8, 24, 113, 37}, {8, 40, 103, 53}, {8, 56, 168, 69},
      {8, 72, 33, 85}, {48, 72, 163, 85}, {8, 88, 43, 101}, {48, 88, 153, 101}}},
    // A stand-in font wraps the notice's first line into two: the lines below move down by the
    // extra line instead of being drawn over.
    {"WrappedNoticePushesLaterLinesDown",
     {{48, 13}, {62, 13}, {99, 26}, {100, 13}, {170, 13}, {27, 13}, {121, 13}, {38, 13}, {110, 13}},
     {{8, 8, 56, 21}, {144, 8, 206, 21}, {8, 24, 113, 50}, {8, 50, 108, 63}, {8, 63, 178, 76},
      {8, 76, 35, 89}, {48, 76, 169, 89}, {8, 89, 46, 102}, {50, 89, 160, 102}}},
    // 150 % text: taller lines follow each other, a caption wider than its 40 pixels pushes its
    // link right, and the version grows to the left of its place.
    {"LargerTextMovesNeighboursAside",
     {{68, 20}, {86, 20}, {105, 40}, {143, 20}, {240, 20}, {38, 20}, {173, 20}, {53, 20}, {158, 20}},
     {{8, 8, 76, 28}, {120, 8, 206, 28}, {8, 28, 113, 68}, {8, 68, 151, 88}, {8, 88, 248, 108},
      {8, 108, 46, 128}, {50, 108, 223, 128}, {8, 128, 61, 148}, {65, 128, 223, 148}}},
    // A version so wide that it would reach the name keeps a gap to it instead.
    {"RightAlignedLabelStopsAtItsNeighbour",
     {{120, 13}, {100, 13}, {97, 13}, {95, 13}, {160, 13}, {25, 13}, {115, 13}, {35, 13}, {105, 13}},
     {{8, 8, 128, 21}, {132, 8, 232, 21}, {8, 24, 113, 37}, {8, 40, 103, 53}, {8, 56, 168, 69},
      {8, 72, 33, 85}, {48, 72, 163, 85}, {8, 88, 43, 101}, {48, 88, 153, 101}}},
    // One word longer than the wrapping width cannot break: the label grows to hold it.
    {"UnbreakableWordWidensAWrappingLabel",
     {{45, 13}, {57, 13}, {130, 13}, {95, 13}, {160, 13}, {25, 13}, {115, 13}, {35, 13}, {105, 13}},
     {{8, 8, 53, 21}, {146, 8, 206, 21}, {8, 24, 138, 37}, {8, 40, 103, 53}, {8, 56, 168, 69},
      {8, 72, 33, 85}, {48, 72, 163, 85}, {8, 88, 43, 101}, {48, 88, 153, 101}}},
};

class AboutBoxLayoutCases : public testing::TestWithParam<LayoutCase> {};

TEST_P(AboutBoxLayoutCases, PlacesEveryLabel) {
    const Placed placed = LayOutLabels(kDesign, GetParam().texts);
    ASSERT_EQ(placed.size(), GetParam().expected.size());
    for (std::size_t i = 0; i < placed.size(); ++i) {
        SCOPED_TRACE(i);
        const Bounds& want = GetParam().expected[i];
        EXPECT_EQ(placed[i].left, want.left);
        EXPECT_EQ(placed[i].top, want.top);
        EXPECT_EQ(placed[i].right, want.right);
        EXPECT_EQ(placed[i].bottom, want.bottom);
    }
    // Whatever the metrics, no two labels share a pixel.
    for (std::size_t i = 0; i < placed.size(); ++i) {
        for (std::size_t j = i + 1; j < placed.size(); ++j) {
            const bool apart = placed[i].right <= placed[j].left ||
                               placed[j].right <= placed[i].left ||
                               placed[i].bottom <= placed[j].top ||
                               placed[j].bottom <= placed[i].top;
            EXPECT_TRUE(apart) << "labels " << i << " and " << j << " overlap";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Metrics, AboutBoxLayoutCases, testing::ValuesIn(kLayoutCases),
                         CaseName());

TEST(AboutBoxLayout, ButtonKeepsItsPlaceUnlessTheLabelsReachIt) {
    const Bounds labels[] = {{8, 8, 50, 21}, {8, 88, 50, 101}};
    EXPECT_EQ(TopBelowLabels(216, labels, 8), 216);
    const Bounds tall[] = {{8, 8, 50, 21}, {8, 200, 50, 213}};
    EXPECT_EQ(TopBelowLabels(216, tall, 8), 221);
}

// The closing splash counts the main window's ticks: the third one confirms the close, and a
// count that somehow runs on neither wraps round nor un-confirms.
TEST(ClosingTicks, TheThirdTickConfirmsTheClose) {
    struct Case {
        std::int32_t before;
        std::int32_t after;
        bool confirmed;
    };
    for (const Case& c : std::vector<Case>{{0, 1, false},
                                           {1, 2, false},
                                           {2, 3, true},
                                           {3, 4, true},
                                           {-1000, -999, false},
                                           {2147483647, 2147483647, true}}) {
        const ClosingTick tick = NextClosingTick(c.before);
        EXPECT_EQ(tick.closeTicks, c.after) << c.before;
        EXPECT_EQ(tick.closeConfirmed, c.confirmed) << c.before;
    }
}

}  // namespace
}  // namespace velvane::about_box
