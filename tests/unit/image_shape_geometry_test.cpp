// Where the skin control draws its picture, and where its pixels land in the parent's region.

#include <gtest/gtest.h>

#include "skin/shape_geometry.h"

namespace velvane {
namespace {

struct DrawRectCase {
    const char* name;
    PixelSize picture;
    PixelSize client;
    DrawLayout layout;
    PixelRect expected;
};

constexpr DrawLayout kNatural{};
constexpr DrawLayout kStretch{.stretch = true};
constexpr DrawLayout kCenter{.center = true};
constexpr DrawLayout kProportional{.proportional = true};
constexpr DrawLayout kStretchProportional{.stretch = true, .proportional = true};
constexpr DrawLayout kAll{.stretch = true, .center = true, .proportional = true};

TEST(ComputeDrawRectTest, PlacesThePictureAsTheDrawingPropertiesSay) {
    const DrawRectCase cases[] = {
        {"natural size", {50, 40}, {100, 100}, kNatural, {0, 0, 50, 40}},
        {"larger picture keeps its size", {200, 150}, {100, 100}, kNatural, {0, 0, 200, 150}},
        {"centred smaller", {50, 40}, {100, 100}, kCenter, {25, 30, 75, 70}},
        {"centred odd difference cuts down", {50, 50}, {101, 101}, kCenter, {25, 25, 75, 75}},
        {"centred larger goes negative", {200, 150}, {100, 100}, kCenter, {-50, -25, 150, 125}},
        {"centred larger odd cuts towards zero",
         {201, 100},
         {100, 100},
         kCenter,
         {-50, 0, 151, 100}},
        {"stretch fills the client", {200, 100}, {100, 100}, kStretch, {0, 0, 100, 100}},
        {"stretch enlarges", {20, 10}, {100, 100}, kStretch, {0, 0, 100, 100}},
        {"stretch proportional wide",
         {200, 100},
         {100, 100},
         kStretchProportional,
         {0, 0, 100, 50}},
        {"stretch proportional wide centred", {200, 100}, {100, 100}, kAll, {0, 25, 100, 75}},
        {"stretch proportional tall",
         {100, 200},
         {100, 100},
         kStretchProportional,
         {0, 0, 50, 100}},
        {"square fills the height first",
         {80, 80},
         {120, 100},
         kStretchProportional,
         {0, 0, 100, 100}},
        {"square in a tall client refits the width",
         {80, 80},
         {100, 120},
         kStretchProportional,
         {0, 0, 100, 100}},
        {"wide picture too high after filling width",
         {200, 100},
         {300, 100},
         kStretchProportional,
         {0, 0, 200, 100}},
        {"tall picture too wide after filling height",
         {100, 200},
         {100, 300},
         kStretchProportional,
         {0, 0, 100, 200}},
        {"height truncated", {3, 2}, {100, 100}, kStretchProportional, {0, 0, 100, 66}},
        {"width truncated", {2, 3}, {100, 100}, kStretchProportional, {0, 0, 66, 100}},
        {"proportional enlarges only with stretch",
         {20, 10},
         {100, 100},
         kProportional,
         {0, 0, 20, 10}},
        {"stretch proportional enlarges",
         {20, 10},
         {100, 100},
         kStretchProportional,
         {0, 0, 100, 50}},
        {"proportional shrinks a wider picture",
         {400, 100},
         {100, 100},
         kProportional,
         {0, 0, 100, 25}},
        {"proportional shrinks a picture larger in height only",
         {50, 200},
         {100, 100},
         kProportional,
         {0, 0, 25, 100}},
        {"proportional empty picture falls back to the client",
         {0, 0},
         {100, 100},
         kStretchProportional,
         {0, 0, 100, 100}},
        {"zero-height picture larger in width fills the client",
         {300, 0},
         {100, 100},
         kProportional,
         {0, 0, 100, 100}},
        {"empty client", {50, 40}, {0, 0}, kStretchProportional, {0, 0, 0, 0}},
        // Regression: the difference of the sizes overflowed 32 bits before it was halved.
        {"centred across the whole 32-bit range",
         {INT32_MAX, INT32_MAX},
         {-INT32_MAX, 0},
         kCenter,
         {-INT32_MAX, -1073741823, 0, 1073741824}},
    };
    for (const DrawRectCase& c : cases) {
        EXPECT_EQ(ComputeDrawRect(c.picture, c.client, c.layout), c.expected) << c.name;
    }
}

TEST(ComputeDrawRectTest, StaysWithinTheClientWhenScaling) {
    // Every proportional fit must land inside the client area, whatever the aspect.
    for (std::int32_t w = 1; w <= 40; w += 3) {
        for (std::int32_t h = 1; h <= 40; h += 5) {
            for (PixelSize client : {PixelSize{17, 29}, PixelSize{64, 7}, PixelSize{30, 30}}) {
                PixelRect r = ComputeDrawRect({w, h}, client, kStretchProportional);
                EXPECT_LE(r.Width(), client.width) << w << "x" << h;
                EXPECT_LE(r.Height(), client.height) << w << "x" << h;
                EXPECT_TRUE(r.Width() == client.width || r.Height() == client.height)
                    << w << "x" << h << " fills neither side";
            }
        }
    }
}

struct OffsetCase {
    const char* name;
    PixelSize outer;
    PixelSize client;
    PixelOffset control;
    PixelOffset expected;
};

TEST(WindowRegionOffsetTest, SkipsBorderAndCaption) {
    const OffsetCase cases[] = {
        {"borderless", {400, 300}, {400, 300}, {0, 0}, {0, 0}},
        {"framed with caption", {416, 339}, {400, 300}, {0, 0}, {8, 31}},
        {"control inside the client", {416, 339}, {400, 300}, {10, 20}, {18, 51}},
        {"thin border, no caption", {402, 302}, {400, 300}, {0, 0}, {1, 1}},
        {"control left of the client", {400, 300}, {400, 300}, {-5, -7}, {-5, -7}},
        // Regression: sizes near the 32-bit limits overflowed the border and offset sums.
        {"sizes at the 32-bit limits stay in range",
         {INT32_MAX, INT32_MAX},
         {INT32_MIN, INT32_MIN},
         {INT32_MAX, INT32_MAX},
         {INT32_MAX, INT32_MAX}},
    };
    for (const OffsetCase& c : cases) {
        EXPECT_EQ(WindowRegionOffset(c.outer, c.client, c.control), c.expected) << c.name;
    }
}

}  // namespace
}  // namespace velvane
