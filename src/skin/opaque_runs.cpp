#include "skin/opaque_runs.h"

#include <algorithm>

namespace velvane {
namespace {

struct Run {
    std::int32_t left;
    std::int32_t right;
    friend bool operator==(const Run&, const Run&) = default;
};

// Replaces `runs` with the opaque runs of one row between columns left and right.
void CollectRowRuns(const std::uint32_t* row, std::int32_t left, std::int32_t right,
                    std::uint32_t transparent, std::uint32_t colourMask, std::vector<Run>& runs) {
    runs.clear();
    std::int32_t x = left;
    while (x < right) {
        while (x < right && (row[x] & colourMask) == transparent) ++x;
        const std::int32_t start = x;
        while (x < right && (row[x] & colourMask) != transparent) ++x;
        if (x > start)
            runs.push_back({start, x});
    }
}

// Writes one band's runs as rectangles spanning rows top to bottom.
void EmitBand(const std::vector<Run>& runs, std::int32_t top, std::int32_t bottom,
              std::vector<PixelRect>& out) {
    for (const Run& run : runs) out.push_back({run.left, top, run.right, bottom});
}

}  // namespace

std::vector<PixelRect> OpaqueBands(const PixelView& view, PixelRect area, std::uint32_t transparent,
                                   std::uint32_t colourMask) {
    std::vector<PixelRect> rects;
    const PixelRect scan = Intersect(area, {0, 0, view.width, view.height});
    if (scan.IsEmpty() || view.pixels == nullptr)
        return rects;
    transparent &= colourMask;

    std::vector<Run> band;
    std::vector<Run> row;
    std::int32_t bandTop = scan.top;
    CollectRowRuns(view.Row(scan.top), scan.left, scan.right, transparent, colourMask, band);
    for (std::int32_t y = scan.top + 1; y < scan.bottom; ++y) {
        CollectRowRuns(view.Row(y), scan.left, scan.right, transparent, colourMask, row);
        if (row == band)
            continue;
        EmitBand(band, bandTop, y, rects);
        band.swap(row);
        bandTop = y;
    }
    EmitBand(band, bandTop, scan.bottom, rects);
    return rects;
}

void AppendBands(std::vector<PixelRect>& shape, const std::vector<PixelRect>& below) {
    std::size_t lastBand = shape.size();
    while (lastBand > 0 && shape[lastBand - 1].top == shape.back().top) --lastBand;
    std::size_t firstBandEnd = 0;
    while (firstBandEnd < below.size() && below[firstBandEnd].top == below.front().top) {
        ++firstBandEnd;
    }
    const bool joins =
        !shape.empty() && !below.empty() && shape.back().bottom == below.front().top &&
        shape.size() - lastBand == firstBandEnd &&
        std::equal(below.begin(), below.begin() + firstBandEnd, shape.begin() + lastBand,
                   [](const PixelRect& b, const PixelRect& s) {
                       return b.left == s.left && b.right == s.right;
                   });
    std::size_t from = 0;
    if (joins) {
        for (std::size_t i = lastBand; i < shape.size(); ++i) {
            shape[i].bottom = below.front().bottom;
        }
        from = firstBandEnd;
    }
    shape.insert(shape.end(), below.begin() + static_cast<std::ptrdiff_t>(from), below.end());
}

}  // namespace velvane
