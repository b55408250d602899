#pragma once
// Fewer rectangles for a window region than a skin asks for.
//
// A window system copes with a region of some thousands of rectangles, not with any number: under
// Wine on X11 a region of more than 32,766 rectangles kills the process, and from about 20,000
// setting it takes seconds, during which the window does not respond. A skin with many small holes
// or a fine pattern (a full-screen checkerboard has a million rectangles) would get there. Such a
// shape is made coarser until it fits, by adding transparent pixels to it and never taking opaque
// ones away:
//   1. holes (transparent areas that do not reach the picture's edge) are filled, the smallest
//      first (of equal ones the upper first), as few as the count allows;
//   2. if that is not enough, the gaps left within each band are filled, the narrowest first
//      (all of one width together), down to one rectangle per band;
//   3. if there are still too many bands, neighbouring bands are joined into one rectangle each.
// Each stage goes only as far as the count needs, so the outline stays as close as it can.

#include <cstddef>
#include <vector>

#include "skin/shape_geometry.h"

namespace velvane {

// Region sizes that every window system here sets in well under a second.
constexpr std::size_t kMaxRegionRects = 8000;

// `rects` in the order OpaqueBands gives them (bands top to bottom, runs left to right within a
// band, none touching or overlapping, touching bands differing), reduced to at most `maxRects`
// rectangles (at least 1) in that same order. A list that fits comes back unchanged.
std::vector<PixelRect> SimplifyBands(std::vector<PixelRect> rects, std::size_t maxRects);

}  // namespace velvane
