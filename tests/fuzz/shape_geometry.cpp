// The skin control's geometry over the whole 32-bit range.
//
// Input: sizes, offsets and the three drawing properties. UBSan catches any overflow; the
// oracle recomputes the centring and the region offset in 64 bits, and checks that a scaled
// picture lies within the client area and that intersections lie within both rectangles.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_check.h"
#include "skin/shape_geometry.h"

namespace {

std::int32_t AnySize(FuzzedDataProvider& in) {
    // Realistic sizes most of the time, the extremes often enough.
    return in.ConsumeBool() ? in.ConsumeIntegralInRange<std::int32_t>(-4, 5000)
                            : in.ConsumeIntegral<std::int32_t>();
}

std::int64_t Clamped(std::int64_t v) {
    return std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const velvane::PixelSize picture{AnySize(in), AnySize(in)};
    const velvane::PixelSize client{AnySize(in), AnySize(in)};
    const velvane::DrawLayout layout{in.ConsumeBool(), in.ConsumeBool(), in.ConsumeBool()};

    const velvane::PixelRect drawn = velvane::ComputeDrawRect(picture, client, layout);
    const velvane::DrawLayout uncentred{layout.stretch, false, layout.proportional};
    const velvane::PixelRect plain = velvane::ComputeDrawRect(picture, client, uncentred);
    FUZZ_CHECK(plain.left == 0 && plain.top == 0);
    if (layout.center) {
        const std::int64_t dx = (std::int64_t{client.width} - plain.right) / 2;
        const std::int64_t dy = (std::int64_t{client.height} - plain.bottom) / 2;
        FUZZ_CHECK(drawn.left == Clamped(dx) && drawn.top == Clamped(dy));
        FUZZ_CHECK(drawn.right == Clamped(plain.right + dx));
        FUZZ_CHECK(drawn.bottom == Clamped(plain.bottom + dy));
    } else {
        FUZZ_CHECK(drawn == plain);
    }
    const bool scaled = layout.stretch || (layout.proportional && (picture.width > client.width ||
                                                                   picture.height > client.height));
    if (scaled && client.width >= 0 && client.height >= 0) {
        FUZZ_CHECK(plain.right <= client.width && plain.bottom <= client.height);
    }

    const velvane::PixelSize outer{AnySize(in), AnySize(in)};
    const velvane::PixelOffset control{AnySize(in), AnySize(in)};
    const velvane::PixelOffset offset = velvane::WindowRegionOffset(outer, client, control);
    const std::int64_t side = (std::int64_t{outer.width} - client.width) / 2;
    const std::int64_t above = std::int64_t{outer.height} - client.height - side;
    FUZZ_CHECK(offset.x == Clamped(side + control.x));
    FUZZ_CHECK(offset.y == Clamped(above + control.y));

    const velvane::PixelRect other{AnySize(in), AnySize(in), AnySize(in), AnySize(in)};
    const velvane::PixelRect both = velvane::Intersect(drawn, other);
    if (!both.IsEmpty()) {
        FUZZ_CHECK(both.left >= drawn.left && both.left >= other.left);
        FUZZ_CHECK(both.right <= drawn.right && both.right <= other.right);
        FUZZ_CHECK(both.top >= drawn.top && both.bottom <= other.bottom);
    } else {
        FUZZ_CHECK(both == velvane::PixelRect{});
    }
    return 0;
}
