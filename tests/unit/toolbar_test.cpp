#include "window/toolbar.h"

#include <gtest/gtest.h>

namespace velvane {
namespace {

TEST(ToolbarGeometry, ButtonsFrameTheirImages) {
    EXPECT_EQ(ToolButtonSizeFor({24, 24}), (Size{31, 30}));
    EXPECT_EQ(ToolButtonSizeFor({32, 32}), (Size{39, 38}));  // the designed 39 x 38
    // Regression: a header's size near the 32-bit limit overflowed the sums; they stop there.
    EXPECT_EQ(ToolButtonSizeFor({INT32_MAX - 3, INT32_MAX}), (Size{INT32_MAX, INT32_MAX}));
    EXPECT_EQ(ToolbarBitmapPath("D:\\", "buttons\\", "exit"), "D:\\buttons\\exit.bmp");
    EXPECT_EQ(ToolbarBitmapPath("D:\\", "buttons\\", ""), "D:\\buttons\\.bmp");
    EXPECT_EQ(ToolbarBitmapPath("D:\\", "", "exit"), "D:\\exit.bmp");
}

TEST(ToolbarGeometry, EveryImageIsAsLargeAsTheFirst) {
    constexpr Size kDesign{32, 32};
    EXPECT_EQ(FitButtonImage(true, {24, 24}, kDesign), ButtonImageFit::SetsTheSize);
    EXPECT_EQ(FitButtonImage(true, {32, 32}, kDesign), ButtonImageFit::Fits);
    EXPECT_EQ(FitButtonImage(false, {24, 24}, {24, 24}), ButtonImageFit::Fits);
    EXPECT_EQ(FitButtonImage(false, {24, 25}, {24, 24}), ButtonImageFit::WrongSize);
    EXPECT_EQ(FitButtonImage(false, {25, 24}, {24, 24}), ButtonImageFit::WrongSize);
    // A later image of the designed size does not fit a list the first image made smaller.
    EXPECT_EQ(FitButtonImage(false, kDesign, {24, 24}), ButtonImageFit::WrongSize);
}

}  // namespace
}  // namespace velvane
