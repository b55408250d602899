#pragma once
// Geometry of the skin control, free of any platform type: where the picture is drawn inside the
// control, and where the control's pixels lie inside its parent window's outer rectangle.

#include <cstdint>

namespace velvane {

// A rectangle of pixels: left and top inside, right and bottom just outside.
struct PixelRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

struct PixelSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

struct PixelOffset {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const PixelOffset&, const PixelOffset&) = default;
};

// The drawing properties that decide where the picture lands.
struct DrawLayout {
    bool stretch = false;
    bool center = false;
    bool proportional = false;
};

// The rectangle, in the control's client coordinates, into which the picture is drawn (scaled
// when its size differs from the picture's). It may reach beyond the client area: a picture
// larger than the control is drawn at its own size unless Stretch or Proportional shrink it, and
// centring such a picture gives negative offsets.
PixelRect ComputeDrawRect(PixelSize picture, PixelSize client, DrawLayout layout);

// The intersection of two rectangles; empty rectangles come out as (0, 0, 0, 0).
PixelRect Intersect(const PixelRect& a, const PixelRect& b);

// Where the control's client origin lies in its parent window's outer rectangle, which is where
// a window region is measured from. The side border is taken as half the difference of the outer
// and client widths; everything else above the client area (caption, menu, top border) as the
// remaining height difference less one bottom border as wide as a side border.
PixelOffset WindowRegionOffset(PixelSize windowOuter, PixelSize windowClient,
                               PixelOffset controlInClient);

}  // namespace velvane
