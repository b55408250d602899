#include "window/start_page.h"

#include <gtest/gtest.h>

namespace velvane {
namespace {

TEST(SkinPosition, PlacesTheBrowserOnlyWithSkinAndFourNumbers) {
    EXPECT_TRUE(BrowserFollowsSkin("skin.bmp", "0,0,100,100"));
    EXPECT_FALSE(BrowserFollowsSkin("", "20,40,600,400"));
    EXPECT_FALSE(BrowserFollowsSkin("skin.bmp", ""));
    EXPECT_EQ(SkinPositionBounds("20,40,600,400"), (BrowserBounds{20, 40, 600, 400}));
    EXPECT_EQ(SkinPositionBounds("0x14,-4,600,400,9"), (BrowserBounds{20, -4, 600, 400}));
    EXPECT_EQ(SkinPositionBounds("20,40,600"), std::nullopt);
    EXPECT_EQ(SkinPositionBounds("20, 40,600px,400"), std::nullopt);
    EXPECT_EQ(SkinPositionBounds("20,,600,400"), std::nullopt);
}

}  // namespace
}  // namespace velvane
