// Pixels to banded rectangles, checked pixel by pixel.
//
// Input: the view's width and height (up to 48 x 48), a scan area, the transparent colour and a
// colour mask chosen from a few, then pixels from a four-colour palette (so that runs and equal
// rows are common). Every pixel of the scanned area must lie in exactly one rectangle when it is
// opaque and in none when it is transparent; the rectangles must come in bands top to bottom,
// runs left to right, with no two touching bands holding the same runs.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "skin/opaque_runs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::int32_t width = in.ConsumeIntegralInRange<std::int32_t>(0, 48);
    const std::int32_t height = in.ConsumeIntegralInRange<std::int32_t>(0, 48);
    const std::int32_t pad = in.ConsumeIntegralInRange<std::int32_t>(0, 3);
    velvane::PixelRect area{in.ConsumeIntegralInRange<std::int32_t>(-60, 60),
                            in.ConsumeIntegralInRange<std::int32_t>(-60, 60),
                            in.ConsumeIntegralInRange<std::int32_t>(-60, 60),
                            in.ConsumeIntegralInRange<std::int32_t>(-60, 60)};
    if (in.ConsumeBool()) area = {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
    static constexpr std::uint32_t kPalette[] = {0x00FF00FF, 0xFFFF00FF, 0x00000000, 0x00123456};
    static constexpr std::uint32_t kMasks[] = {0x00FFFFFF, 0xFFFFFFFF, 0x00FF0000, 0};
    const std::uint32_t transparent = kPalette[in.ConsumeIntegralInRange<int>(0, 3)];
    const std::uint32_t mask = kMasks[in.ConsumeIntegralInRange<int>(0, 3)];

    const std::ptrdiff_t stride = width + pad;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(stride * height));
    for (std::uint32_t& p : pixels) p = kPalette[in.ConsumeIntegralInRange<int>(0, 3)];
    const velvane::PixelView view{pixels.data(), width, height, stride};

    const std::vector<velvane::PixelRect> rects =
        velvane::OpaqueBands(view, area, transparent, mask);

    std::vector<int> cover(pixels.size());
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const velvane::PixelRect& r = rects[i];
        FUZZ_CHECK(!r.IsEmpty());
        FUZZ_CHECK(r.left >= 0 && r.top >= 0 && r.right <= width && r.bottom <= height);
        if (i > 0) {
            const velvane::PixelRect& p = rects[i - 1];
            const bool sameBand = p.top == r.top;
            FUZZ_CHECK(sameBand ? p.bottom == r.bottom && p.right < r.left : p.bottom <= r.top);
        }
        for (std::int32_t y = r.top; y < r.bottom; ++y) {
            for (std::int32_t x = r.left; x < r.right; ++x) ++cover[y * stride + x];
        }
    }
    const velvane::PixelRect scan = velvane::Intersect(area, {0, 0, width, height});
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            const bool inScan = x >= scan.left && x < scan.right && y >= scan.top && y < scan.bottom;
            const bool opaque = (pixels[y * stride + x] & mask) != (transparent & mask);
            FUZZ_CHECK(cover[y * stride + x] == (inScan && opaque ? 1 : 0));
        }
    }
    // Touching bands differ: otherwise they would have been one band.
    std::size_t bandStart = 0;
    std::size_t previousStart = 0;
    std::size_t previousEnd = 0;
    for (std::size_t i = 0; i <= rects.size(); ++i) {
        if (i < rects.size() && rects[i].top == rects[bandStart].top) continue;
        if (previousEnd > previousStart && rects[previousStart].bottom == rects[bandStart].top &&
            previousEnd - previousStart == i - bandStart) {
            bool same = true;
            for (std::size_t k = 0; k < i - bandStart; ++k) {
                same = same && rects[previousStart + k].left == rects[bandStart + k].left &&
                       rects[previousStart + k].right == rects[bandStart + k].right;
            }
            FUZZ_CHECK(!same);
        }
        previousStart = bandStart;
        previousEnd = i;
        bandStart = i;
    }
    return 0;
}
