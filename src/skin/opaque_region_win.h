#pragma once
// Window regions from pictures, built fast enough for full-screen skins.
//
// The pixels are read straight from a 32-bit DIB section (never GetPixel), cut into banded
// rectangles by OpaqueBands, and turned into a region from small leaves: ExtCreateRegion on
// about 16 rectangles at a time, the leaves then united pairwise in a balanced tree. Measured
// under Wine, one ExtCreateRegion over thousands of rectangles is quadratic in their number, and
// uniting each run into one growing region is quadratic as well; the leaves and the tree keep the
// cost near n log n.

#include <windows.h>

#include <span>

#include "skin/opaque_runs.h"
#include "skin/shape_geometry.h"
#include "win32/unique_handle_win.h"

namespace velvane {

// The union of `rects`, which must not overlap (banded order is fastest, not required).
GdiRegion RegionFromRects(std::span<const PixelRect> rects);

// The pixels inside client ∩ draw whose colour, after `source` is copied (StretchBlt with the
// device context's default stretching, as the picture is painted) from its whole clipping box
// into `draw` on a bitmap of the client's size, differs from the colour of the source's
// bottom-left pixel. Coordinates are those of `client`. The caller owns the result. A shape of
// more than kMaxRegionRects rectangles comes out coarser (see SimplifyBands): with some
// transparent pixels added, but one that the window system can take.
//
// A caller that owns the bitmap selected into `source` may pass its pixels: when the picture is
// drawn at its own size they are then read in place instead of being copied. (GDI cannot tell
// whether a DIB section's rows run top-down or bottom-up, so the caller has to.)
GdiRegion OpaqueRegionOfCopy(HDC source, const RECT& client, const RECT& draw,
                             const PixelView* sourcePixels = nullptr);

}  // namespace velvane
