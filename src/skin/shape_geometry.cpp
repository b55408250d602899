#include "skin/shape_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace velvane {
namespace {

// Bitmap and window sizes are 32-bit values from outside (a file header, the window system), so
// sums and differences of two of them are formed in 64 bits and clamped back where they must.
std::int32_t ClampToInt(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// trunc() of a result that the callers keep within the client size; the clamp only keeps a
// pathological input from reaching undefined behaviour in the conversion.
std::int32_t TruncToInt(double value) {
    constexpr double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double highest = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::trunc(std::clamp(value, lowest, highest)));
}

// Fits a w x h picture into the client area, keeping its aspect: the longer side fills first (a
// square fills the height first), and the other side shrinks if it still overflows.
PixelSize FitProportionally(PixelSize picture, PixelSize client) {
    const double aspect = static_cast<double>(picture.width) / picture.height;
    PixelSize size;
    if (picture.height < picture.width) {
        size = {client.width, TruncToInt(client.width / aspect)};
        if (size.height > client.height)
            size = {TruncToInt(client.height * aspect), client.height};
    } else {
        size = {TruncToInt(client.height * aspect), client.height};
        if (size.width > client.width)
            size = {client.width, TruncToInt(client.width / aspect)};
    }
    return size;
}

}  // namespace

PixelRect ComputeDrawRect(PixelSize picture, PixelSize client, DrawLayout layout) {
    PixelSize size = picture;
    const bool larger = picture.width > client.width || picture.height > client.height;
    if (layout.stretch || (layout.proportional && larger)) {
        if (layout.proportional && picture.width > 0 && picture.height > 0) {
            size = FitProportionally(picture, client);
        } else {
            size = client;
        }
    }
    PixelRect rect{0, 0, size.width, size.height};
    if (layout.center) {
        // Integer division cuts towards zero in C++ as well, also for negative differences. Only
        // the difference of the sizes needs 64 bits: half of it, and each moved edge (which lies
        // between the two sizes), fit 32 bits again.
        const std::int64_t dx = (std::int64_t{client.width} - size.width) / 2;
        const std::int64_t dy = (std::int64_t{client.height} - size.height) / 2;
        rect = {ClampToInt(dx), ClampToInt(dy), ClampToInt(size.width + dx),
                ClampToInt(size.height + dy)};
    }
    return rect;
}

PixelRect Intersect(const PixelRect& a, const PixelRect& b) {
    PixelRect result{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                     std::min(a.bottom, b.bottom)};
    return result.IsEmpty() ? PixelRect{} : result;
}

PixelOffset WindowRegionOffset(PixelSize windowOuter, PixelSize windowClient,
                               PixelOffset controlInClient) {
    // Real frames are a few pixels wide; sizes near the 32-bit limits only have to stay defined.
    const std::int64_t sideBorder = (std::int64_t{windowOuter.width} - windowClient.width) / 2;
    const std::int64_t aboveClient =
        (std::int64_t{windowOuter.height} - windowClient.height) - sideBorder;
    return {ClampToInt(sideBorder + controlInClient.x), ClampToInt(aboveClient + controlInClient.y)};
}

}  // namespace velvane
