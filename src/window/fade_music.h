#pragma once
// Decisions of the background music and the fade-in: the sound flag words and the fade's steps.

#include <cstdint>

namespace velvane {

// The flag word for the intro music: file name, asynchronous, silent when unplayable, nothing
// when the driver is busy; looped on request.
std::uint32_t IntroMusicFlags(bool loop);

// The flag word that stops what plays: asynchronous, with no sound named.
std::uint32_t StopMusicFlags();

// One tick of the fade-in: the next alpha value, and whether the fade is done.
struct FadeStep {
    std::uint8_t alpha = 0;
    bool finished = false;
};
FadeStep NextFadeStep(std::uint8_t alpha);

}  // namespace velvane
