#include "window/fade_music.h"

#include <gtest/gtest.h>

#include <vector>

namespace velvane {
namespace {

TEST(MusicFlags, AreTheDocumentedWords) {
    EXPECT_EQ(IntroMusicFlags(false), 0x22003u);
    EXPECT_EQ(IntroMusicFlags(true), 0x2200Bu);
    EXPECT_EQ(StopMusicFlags(), 1u);
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
