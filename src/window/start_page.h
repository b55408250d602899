#pragma once
// Decisions of the start page's display: where the embedded browser sits in the window.

#include <cstdint>
#include <optional>
#include <string_view>

namespace velvane {

// A skinned window places the browser by the skin position setting when both are given; any
// other window lets the browser fill its client area.
bool BrowserFollowsSkin(std::string_view skin, std::string_view skinPosition);

struct BrowserBounds {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const BrowserBounds&) const = default;
};

// The skin position's left, top, width and height: its first four entries under the number
// rules (more entries are ignored). Nothing when one of them is missing or no number: then the
// browser cannot be placed, and the start page goes to the default browser.
std::optional<BrowserBounds> SkinPositionBounds(std::string_view skinPosition);

}  // namespace velvane
