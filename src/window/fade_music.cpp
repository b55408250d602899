#include "window/fade_music.h"

namespace velvane {
namespace {

// The sound flags by their platform values.
constexpr std::uint32_t kSoundAsync = 0x0001;
constexpr std::uint32_t kSoundNoDefault = 0x0002;
constexpr std::uint32_t kSoundLoop = 0x0008;
constexpr std::uint32_t kSoundNoWait = 0x2000;
constexpr std::uint32_t kSoundFileName = 0x20000;

constexpr std::uint8_t kFadeStep = 4;
constexpr std::uint8_t kLastFadeStepBelow = 252;

}  // namespace

std::uint32_t IntroMusicFlags(bool loop) {
    std::uint32_t flags = kSoundFileName | kSoundNoWait | kSoundNoDefault | kSoundAsync;
    return loop ? flags | kSoundLoop : flags;
}

std::uint32_t StopMusicFlags() { return kSoundAsync; }

FadeStep NextFadeStep(std::uint8_t alpha) {
    if (alpha < kLastFadeStepBelow) return {static_cast<std::uint8_t>(alpha + kFadeStep), false};
    return {255, true};
}

}  // namespace velvane
