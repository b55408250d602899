// Prints how long building a skin's window region takes: the skin control's method against the
// naive one (GetPixel per pixel, CombineRgn per run), on skins of three sizes full of holes, and
// for a smaller skin stretched over the same size.
// Not a test: it asserts nothing about time. Run it under Wine from the build folder:
//   wine bin/region_bench.exe

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "skin/image_shape_win.h"
#include "skin/region_simplify.h"
#include "win32/gdi_scope_win.h"

namespace velvane {
namespace {

constexpr std::uint32_t kMagenta = 0xFF00FF;

// An ellipse of stripes on magenta, with an 8 x 8 hole in every other cell of a 16-pixel grid
// (about 3,000 holes and 19,000 rectangles at 1920 x 1080).
gdi::Dib32 MakeSkin(int width, int height) {
    gdi::Dib32 dib(width, height);
    std::uint32_t* pixels = dib.Bits();
    const double cx = width / 2.0;
    const double cy = height / 2.0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double u = (x + 0.5 - cx) / (cx - 1);
            const double v = (y + 0.5 - cy) / (cy - 1);
            const bool inside = u * u + v * v <= 1.0;
            const bool hole = (x % 16) < 8 && (y % 16) < 8 && ((x / 16 + y / 16) % 2 == 0);
            pixels[y * width + x] = inside && !hole ? 0x204080u + (y % 64) * 0x020000u : kMagenta;
        }
    }
    return dib;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

template <typename Body>
double Time(Body&& body) {
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceCounter(&start);
    body();
    QueryPerformanceCounter(&end);
    return Milliseconds(start, end);
}

// The way a skin region is usually built: copy the picture, read every pixel with GetPixel and
// unite each opaque run into the growing region.
GdiRegion NaiveRegion(HDC source, int width, int height) {
    gdi::WindowDC screen(nullptr);
    GdiBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    gdi::MemoryDC dc(CreateCompatibleDC(source));
    gdi::SelectScope select(dc.get(), bitmap.get());
    StretchBlt(dc.get(), 0, 0, width, height, source, 0, 0, width, height, SRCCOPY);
    const COLORREF transparent = GetPixel(dc.get(), 0, height - 1);
    GdiRegion region(CreateRectRgn(0, 0, 0, 0));
    for (int y = 0; y < height; ++y) {
        int x = 0;
        while (x < width) {
            while (x < width && GetPixel(dc.get(), x, y) == transparent) ++x;
            const int start = x;
            while (x < width && GetPixel(dc.get(), x, y) != transparent) ++x;
            if (x > start) {
                GdiRegion run(CreateRectRgn(start, y, x, y + 1));
                CombineRgn(region.get(), region.get(), run.get(), RGN_OR);
            }
        }
    }
    return region;
}

DWORD RectangleCount(HRGN region) {
    const DWORD size = GetRegionData(region, 0, nullptr);
    std::vector<char> data(size);
    GetRegionData(region, size, reinterpret_cast<RGNDATA*>(data.data()));
    return size ? reinterpret_cast<RGNDATA*>(data.data())->rdh.nCount : 0;
}

void Measure(int width, int height) {
    gdi::Dib32 skin = MakeSkin(width, height);
    gdi::MemoryDC source(CreateCompatibleDC(nullptr));
    gdi::SelectScope select(source.get(), skin.Handle());
    const RECT all{0, 0, width, height};

    const PixelView pixels = skin.View();

    // Best of several runs: the first pays for page faults in fresh bitmaps.
    auto best = [](auto&& build) {
        double fastest = 1e9;
        for (int run = 0; run < 7; ++run) fastest = std::min(fastest, Time(build));
        return fastest;
    };
    GdiRegion fast;
    GdiRegion copied;
    // As the control builds it: the picture drawn at its own size, its pixels read in place.
    const double inPlace =
        best([&] { fast = TImageShape::BuildOpaqueRegion(source.get(), all, all, &pixels); });
    // The path for a scaled picture: through a copy of the size of the control.
    const double throughCopy =
        best([&] { copied = TImageShape::BuildOpaqueRegion(source.get(), all, all); });
    // A scaled skin: a picture of two thirds the size stretched over the whole control.
    gdi::Dib32 small = MakeSkin(width * 2 / 3, height * 2 / 3);
    gdi::MemoryDC smallSource(CreateCompatibleDC(nullptr));
    gdi::SelectScope selectSmall(smallSource.get(), small.Handle());
    GdiRegion scaled;
    const double stretched =
        best([&] { scaled = TImageShape::BuildOpaqueRegion(smallSource.get(), all, all); });
    GdiRegion naive;
    const double slow = Time([&] { naive = NaiveRegion(source.get(), width, height); });

    // A shape of more rectangles than a region may have comes out coarser than the naive one.
    const bool coarser = RectangleCount(naive.get()) > kMaxRegionRects;
    const bool equal =
        EqualRgn(fast.get(), copied.get()) && (coarser || EqualRgn(fast.get(), naive.get()));
    std::printf(
        "%4d x %-4d %6lu rects  in place %6.2f ms  through a copy %6.2f ms  "
        "stretched %6.2f ms  naive %7.1f ms  ratio %4.0f / %4.0f  %s\n",
        width, height, static_cast<unsigned long>(RectangleCount(fast.get())), inPlace, throughCopy,
        stretched, slow, slow / inPlace, slow / throughCopy,
        !equal ? "DIFFERENT" : coarser ? "coarser, as it must be" : "equal");
}

}  // namespace
}  // namespace velvane

int main() {
    std::printf(
        "Skin region build time: the control's method (best of 7), in place, through a copy\n"
        "and stretched from two thirds the size, against one naive run; ratios are\n"
        "naive / method\n");
    velvane::Measure(400, 300);
    velvane::Measure(1024, 768);
    velvane::Measure(1920, 1080);
    return 0;
}
