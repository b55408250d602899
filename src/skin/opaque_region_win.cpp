#include "skin/opaque_region_win.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "skin/opaque_runs.h"
#include "skin/pairwise_merge.h"
#include "skin/region_simplify.h"
#include "win32/gdi_scope_win.h"

namespace velvane {
namespace {

// Small enough that ExtCreateRegion stays in its linear range under Wine, large enough that the
// number of CombineRgn calls stays low.
constexpr std::size_t kRectsPerLeaf = 16;

PixelRect ToPixelRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

GdiRegion LeafRegion(std::span<const PixelRect> rects) {
    struct LeafData {
        RGNDATAHEADER header;
        RECT rects[kRectsPerLeaf];
    } data{};
    PixelRect bounds = rects.front();
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const PixelRect& r = rects[i];
        data.rects[i] = {r.left, r.top, r.right, r.bottom};
        bounds = {std::min(bounds.left, r.left), std::min(bounds.top, r.top),
                  std::max(bounds.right, r.right), std::max(bounds.bottom, r.bottom)};
    }
    data.header.dwSize = sizeof data.header;
    data.header.iType = RDH_RECTANGLES;
    data.header.nCount = static_cast<DWORD>(rects.size());
    data.header.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
    data.header.rcBound = {bounds.left, bounds.top, bounds.right, bounds.bottom};
    const DWORD size = static_cast<DWORD>(sizeof data.header + rects.size() * sizeof(RECT));
    GdiRegion leaf(ExtCreateRegion(nullptr, size, reinterpret_cast<const RGNDATA*>(&data)));
    // Out of GDI memory: a shape with pieces missing would be wrong, not merely ugly.
    if (!leaf)
        throw Error("Cannot create a region");
    return leaf;
}

// The colour of one pixel of `source` as a 32-bit DIB holds it: read through the same kind of
// copy as the rest of the picture, so that both sides of every comparison went through the same
// colour conversion.
std::uint32_t PixelAsCopied(HDC source, int x, int y) {
    gdi::Dib32 pixel(1, 1);
    gdi::MemoryDC dc(CreateCompatibleDC(source));
    {
        gdi::SelectScope select(dc.get(), pixel.Handle());
        BitBlt(dc.get(), 0, 0, 1, 1, source, x, y, SRCCOPY);
    }
    GdiFlush();
    return pixel.View().pixels[0] & gdi::Dib32::kColourMask;
}

GdiRegion OpaqueRegionInPlace(const PixelView& pixels, const PixelRect& scan,
                              const PixelRect& drawRect) {
    const std::uint32_t transparent = pixels.Row(pixels.height - 1)[0];
    const PixelRect sourceScan{scan.left - drawRect.left, scan.top - drawRect.top,
                               scan.right - drawRect.left, scan.bottom - drawRect.top};
    const std::vector<PixelRect> rects = SimplifyBands(
        OpaqueBands(pixels, sourceScan, transparent, gdi::Dib32::kColourMask), kMaxRegionRects);
    GdiRegion region = RegionFromRects(rects);
    OffsetRgn(region.get(), drawRect.left, drawRect.top);
    return region;
}

// Rows of the strip bitmap the copy goes through: a strip of the client's width stays in the
// processor's cache. A fresh bitmap of the whole client (8 MB at 1920 x 1080) costs more for its
// first write, page by page, than finding the shape in it does.
constexpr int kStripRows = 64;

// Copies the picture strip by strip into one small bitmap. Every strip gets the whole picture,
// drawn with the same destination rectangle moved up by the strip's first row and clipped to the
// strip, so the system's own stretching decides each pixel exactly as in one full-size copy.
GdiRegion OpaqueRegionThroughCopy(HDC source, const PixelRect& sourceBox, const PixelRect& scan,
                                  const PixelRect& drawRect) {
    const std::uint32_t transparent = PixelAsCopied(source, sourceBox.left, sourceBox.bottom - 1);
    const int stripRows = std::min(kStripRows, scan.Height());
    gdi::Dib32 strip(scan.Width(), stripRows);
    gdi::MemoryDC dc(CreateCompatibleDC(source));
    gdi::SelectScope select(dc.get(), strip.Handle());
    std::vector<PixelRect> shape;
    for (int top = scan.top; top < scan.bottom; top += stripRows) {
        StretchBlt(dc.get(), drawRect.left - scan.left, drawRect.top - top, drawRect.Width(),
                   drawRect.Height(), source, sourceBox.left, sourceBox.top, sourceBox.Width(),
                   sourceBox.Height(), SRCCOPY);
        GdiFlush();
        const PixelRect rows{0, 0, scan.Width(), std::min(stripRows, scan.bottom - top)};
        std::vector<PixelRect> bands =
            OpaqueBands(strip.View(), rows, transparent, gdi::Dib32::kColourMask);
        for (PixelRect& r : bands) {
            r = {r.left + scan.left, r.top + top, r.right + scan.left, r.bottom + top};
        }
        AppendBands(shape, bands);
    }
    return RegionFromRects(SimplifyBands(std::move(shape), kMaxRegionRects));
}

}  // namespace

GdiRegion RegionFromRects(std::span<const PixelRect> rects) {
    auto unite = [](GdiRegion&& a, GdiRegion&& b) {
        CombineRgn(a.get(), a.get(), b.get(), RGN_OR);
        return std::move(a);
    };
    PairwiseMerger<GdiRegion, decltype(unite)> merger(unite);
    for (std::size_t first = 0; first < rects.size(); first += kRectsPerLeaf) {
        const std::size_t count = std::min(kRectsPerLeaf, rects.size() - first);
        merger.Add(LeafRegion(rects.subspan(first, count)));
    }
    std::optional<GdiRegion> region = merger.Finish();
    return region ? std::move(*region) : gdi::EmptyRegion();
}

GdiRegion OpaqueRegionOfCopy(HDC source, const RECT& client, const RECT& draw,
                             const PixelView* sourcePixels) {
    // The copy covers the client area; the draw rectangle and the result are moved by its origin.
    const PixelRect copyRect{0, 0, client.right - client.left, client.bottom - client.top};
    const PixelRect drawRect{draw.left - client.left, draw.top - client.top,
                             draw.right - client.left, draw.bottom - client.top};
    const PixelRect scan = Intersect(copyRect, drawRect);
    RECT box{};
    if (scan.IsEmpty() || GetClipBox(source, &box) == ERROR || IsRectEmpty(&box)) {
        return gdi::EmptyRegion();
    }
    const PixelRect sourceBox = ToPixelRect(box);

    GdiRegion region;
    // Drawn at its own size, the copy would hold exactly the source's pixels: read them in place
    // and save allocating and filling a second full-size bitmap, which costs more than finding
    // the shape in it.
    const bool sameSize =
        drawRect.Width() == sourceBox.Width() && drawRect.Height() == sourceBox.Height();
    if (sourcePixels && sameSize &&
        sourceBox == PixelRect{0, 0, sourcePixels->width, sourcePixels->height}) {
        GdiFlush();  // drawing still queued for the source must land before its bits are read
        region = OpaqueRegionInPlace(*sourcePixels, scan, drawRect);
    } else {
        region = OpaqueRegionThroughCopy(source, sourceBox, scan, drawRect);
    }
    OffsetRgn(region.get(), client.left, client.top);
    return region;
}

}  // namespace velvane
