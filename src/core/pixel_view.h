#pragma once
// 32-bit pixels as the program reads them, whoever holds them (a DIB section, a test's array).

#include <cstddef>
#include <cstdint>

namespace velvane {

// A read-only view of 32-bit pixels, rows top to bottom, `stride` pixels from one row to the
// next (at least `width`).
struct PixelView {
    const std::uint32_t* pixels = nullptr;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::ptrdiff_t stride = 0;

    const std::uint32_t* Row(std::int32_t y) const { return pixels + y * stride; }
};

}  // namespace velvane
