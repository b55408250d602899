#pragma once
// Pixels to rectangles: the opaque pixels of a 32-bit image as the few rectangles a window region
// is made of.
//
// Each row is cut into maximal runs of pixels whose colour differs from the transparent colour;
// consecutive rows with exactly the same runs merge into one band, so a shape with straight sides
// costs one rectangle per run, not one per run and row. The rectangles come out in the order a
// region's data wants them: bands top to bottom, runs left to right within a band, none
// overlapping.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/pixel_view.h"
#include "skin/shape_geometry.h"

namespace velvane {

// The opaque pixels of `area` (clipped to the view) as banded rectangles in view coordinates.
// A pixel is opaque when (pixel & colourMask) differs from (transparent & colourMask); the mask
// lets a caller ignore a byte the pixel format leaves undefined, such as alpha.
std::vector<PixelRect> OpaqueBands(const PixelView& view, PixelRect area, std::uint32_t transparent,
                                   std::uint32_t colourMask);

// Appends `below`, the bands of the rows that follow those of `shape` (both as OpaqueBands gives
// them, in the same coordinates), joining the first band of `below` into the last of `shape`
// when they touch and have the same runs. A picture read in strips of rows so comes out exactly
// as OpaqueBands gives it for the whole.
void AppendBands(std::vector<PixelRect>& shape, const std::vector<PixelRect>& below);

}  // namespace velvane
