#include "window/setup.h"

#include "config/number_rules.h"

namespace velvane {
namespace {

std::int32_t CentredEdge(std::int32_t screen, std::int32_t size) {
    // 64-bit intermediates: a window size from the settings may be anything in 32 bits.
    return static_cast<std::int32_t>((std::int64_t{screen} - size) / 2);
}

}  // namespace

FrameKind FrameForBorderStyle(std::string_view borderStyle) {
    if (borderStyle == "none") return FrameKind::None;
    if (borderStyle == "dialog") return FrameKind::Dialog;
    return FrameKind::Sizeable;
}

WindowSizing SizingFor(bool fullScreen, std::string_view skin) {
    const bool skinless = skin.empty();
    if (fullScreen) return {skinless, false, false};
    return {false, skinless, true};
}

WindowPositionRequest ParseWindowPosition(std::string_view text) {
    WindowPositionRequest request;
    if (text == "center") {
        request.center = true;
        return request;
    }
    std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return request;
    request.left = ConvertNumber(text.substr(0, comma));
    request.top = ConvertNumber(text.substr(comma + 1));
    return request;
}

WindowPlacement PlaceWindow(std::string_view windowPosition, Size screen, Size window) {
    const WindowPositionRequest request = ParseWindowPosition(windowPosition);
    if (request.center) {
        return {true, CentredEdge(screen.width, window.width),
                CentredEdge(screen.height, window.height)};
    }
    WindowPlacement placement;
    placement.left = request.left;
    if (placement.left) placement.top = request.top;
    return placement;
}

}  // namespace velvane
