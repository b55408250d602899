#pragma once
// Bitmap files for sample discs, made in memory.

#include <cstdint>
#include <functional>
#include <string>

namespace velvane::e2e {

// A 24-bit bottom-up BMP file of the given size; `colour(x, y)` gives 0xRRGGBB per pixel.
std::string Bitmap24(int width, int height,
                     const std::function<std::uint32_t(int x, int y)>& colour);

// A plain one-colour bitmap.
std::string PlainBitmap(int width, int height, std::uint32_t rgb = 0x3366CC);

}  // namespace velvane::e2e
