#pragma once
// The sizes the main window's decisions work with, in pixels.

#include <cstdint>

namespace velvane {

struct Size {
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const Size&) const = default;
};

}  // namespace velvane
