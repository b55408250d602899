#include "skin/shape_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace velvane {
namespace {

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
        // Integer division cuts towards zero in C++ as well, also for negative differences.
        const std::int32_t dx = (client.width - size.width) / 2;
        const std::int32_t dy = (client.height - size.height) / 2;
        rect = {rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
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
    const std::int32_t sideBorder = (windowOuter.width - windowClient.width) / 2;
    const std::int32_t aboveClient = (windowOuter.height - windowClient.height) - sideBorder;
    return {sideBorder + controlInClient.x, aboveClient + controlInClient.y};
}

}  // namespace velvane
