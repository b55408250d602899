// Skin shapes made coarser to fit a window region, checked pixel by pixel.
//
// Input: a picture of up to 64 x 48 pixels in two colours (one bit a pixel), and the number of
// rectangles allowed. The result must keep every opaque pixel, stay within the picture's
// bounding box, hold no more rectangles than allowed, come out banded as OpaqueBands gives
// rectangles (so that it is exactly what a region stores), and be the input itself when that
// fits.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "skin/opaque_runs.h"
#include "skin/region_simplify.h"

namespace {

std::vector<std::uint32_t> Paint(const std::vector<velvane::PixelRect>& rects, std::int32_t width,
                                 std::int32_t height) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height), 0);
    for (const velvane::PixelRect& r : rects) {
        for (std::int32_t y = r.top; y < r.bottom; ++y) {
            for (std::int32_t x = r.left; x < r.right; ++x) ++pixels[y * width + x];
        }
    }
    return pixels;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::int32_t width = in.ConsumeIntegralInRange<std::int32_t>(1, 64);
    const std::int32_t height = in.ConsumeIntegralInRange<std::int32_t>(1, 48);
    const std::size_t maxRects = in.ConsumeIntegralInRange<std::size_t>(0, 300);
    std::vector<std::uint32_t> picture(static_cast<std::size_t>(width * height));
    for (std::size_t i = 0; i < picture.size(); i += 8) {
        const std::uint8_t bits = in.ConsumeIntegral<std::uint8_t>();
        for (std::size_t b = 0; b < 8 && i + b < picture.size(); ++b) picture[i + b] = bits >> b & 1;
    }
    const velvane::PixelView view{picture.data(), width, height, width};
    const std::vector<velvane::PixelRect> bands =
        velvane::OpaqueBands(view, {0, 0, width, height}, 0, 0xFFFFFFFF);
    const std::vector<velvane::PixelRect> simpler = velvane::SimplifyBands(bands, maxRects);

    if (bands.size() <= std::max<std::size_t>(maxRects, 1)) {
        FUZZ_CHECK(simpler == bands);
        return 0;
    }
    FUZZ_CHECK(simpler.size() <= std::max<std::size_t>(maxRects, 1));
    velvane::PixelRect box{width, height, 0, 0};
    for (const velvane::PixelRect& r : bands) {
        box = {std::min(box.left, r.left), std::min(box.top, r.top), std::max(box.right, r.right),
               std::max(box.bottom, r.bottom)};
    }
    for (const velvane::PixelRect& r : simpler) {
        FUZZ_CHECK(!r.IsEmpty() && r.left >= box.left && r.top >= box.top &&
                   r.right <= box.right && r.bottom <= box.bottom);
    }
    const std::vector<std::uint32_t> covered = Paint(simpler, width, height);
    for (std::size_t i = 0; i < picture.size(); ++i) {
        FUZZ_CHECK(covered[i] <= 1);               // no overlaps
        FUZZ_CHECK(!picture[i] || covered[i] == 1);  // no opaque pixel lost
    }
    // Banded and coalesced exactly as the bands of the painted result would be.
    const velvane::PixelView result{covered.data(), width, height, width};
    FUZZ_CHECK(velvane::OpaqueBands(result, {0, 0, width, height}, 0, 0xFFFFFFFF) == simpler);
    return 0;
}
