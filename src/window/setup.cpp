#include "window/setup.h"

#include <algorithm>
#include <cstdint>

#include "config/number_rules.h"
#include "window/split_list.h"

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

std::string RequirementLibraryPath(std::string_view programFolder, std::string_view entry) {
    std::string path(programFolder);
    path += entry;
    std::size_t nameStart = path.find_last_of("\\:");
    nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
    if (path.find('.', nameStart) == std::string::npos) path += ".dll";
    return path;
}

FrameKind FrameForBorderStyle(std::string_view borderStyle) {
    if (borderStyle == "none") return FrameKind::None;
    if (borderStyle == "dialog") return FrameKind::Dialog;
    return FrameKind::Sizeable;
}

WindowPositionRequest ParseWindowPosition(std::string_view text) {
    WindowPositionRequest request;
    if (text == "center") {
        request.center = true;
        return request;
    }
    std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return request;
    request.hasComma = true;
    request.left = ConvertNumber(text.substr(0, comma));
    request.top = ConvertNumber(text.substr(comma + 1));
    return request;
}

bool BrowserFollowsSkin(std::string_view skin, std::string_view skinPosition) {
    return !skin.empty() && !skinPosition.empty();
}

std::array<std::optional<std::int32_t>, 4> SkinPositionValues(std::string_view skinPosition) {
    std::vector<std::string> entries = SplitList(skinPosition, ",");
    std::array<std::optional<std::int32_t>, 4> values;
    for (std::size_t i = 0; i < values.size() && i < entries.size(); ++i) {
        values[i] = ConvertNumber(entries[i]);
    }
    return values;
}

Point CentredOrigin(std::int32_t screenWidth, std::int32_t screenHeight, std::int32_t width,
                    std::int32_t height) {
    // 64-bit intermediates: a window size from the settings may be anything in 32 bits.
    auto centre = [](std::int64_t screen, std::int64_t size) {
        return static_cast<std::int32_t>((screen - size) / 2);
    };
    return {centre(screenWidth, width), centre(screenHeight, height)};
}

Size ToolButtonSizeFor(Size image) {
    // A bitmap header may claim any 32-bit size; the button then stays at the largest size.
    auto grow = [](std::int32_t side, std::int32_t by) {
        return static_cast<std::int32_t>(std::min<std::int64_t>(std::int64_t{side} + by, INT32_MAX));
    };
    return {grow(image.width, 7), grow(image.height, 6)};
}

std::string ToolbarBitmapPath(std::string_view programFolder, std::string_view buttonDir,
                              std::string_view entry) {
    std::string path(programFolder);
    path += buttonDir;
    path += entry;
    path += ".bmp";
    return path;
}

std::uint32_t IntroMusicFlags(bool loop) {
    std::uint32_t flags = kSoundFileName | kSoundNoWait | kSoundNoDefault | kSoundAsync;
    return loop ? flags | kSoundLoop : flags;
}

FadeStep NextFadeStep(std::uint8_t alpha) {
    if (alpha < kLastFadeStepBelow) return {static_cast<std::uint8_t>(alpha + kFadeStep), false};
    return {255, true};
}

}  // namespace velvane
