// TImageShape: turning the picture into the parent window's region.

#include <cstring>

#include "skin/image_shape_win.h"
#include "skin/opaque_region_win.h"
#include "skin/shape_geometry.h"
#include "win32/gdi_scope_win.h"

namespace velvane {
namespace {

// Process-wide: set by the first shaped window region, inherited by every program started later.
constexpr char kRegionMarkerName[] = "tamlo";
constexpr char kRegionMarkerValue[] = "set";

bool RegionMarkerIsSet() {
    char value[sizeof kRegionMarkerValue + 1] = {};
    const DWORD length = GetEnvironmentVariableA(kRegionMarkerName, value, sizeof value);
    return length == std::strlen(kRegionMarkerValue) && std::strcmp(value, kRegionMarkerValue) == 0;
}

}  // namespace

void TImageShape::UpdateDrawingMode() {
    TBitmapGraphic* graphic = picture_.Graphic();
    if (!graphic) {
        opaque_ = false;
        return;
    }
    graphic->SetTransparent(transparent_);
    opaque_ = !graphic->Transparent() && stretch_ && !proportional_;
    if (DoPaletteChange() && drawing_)
        Repaint();
}

void TImageShape::UpdateShape() {
    if (autoSize_ && picture_.Width() > 0 && picture_.Height() > 0) {
        SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
    }
    UpdateDrawingMode();
    if (!drawing_)
        Invalidate();

    const TBitmapGraphic* graphic = picture_.Graphic();
    if (!graphic)
        return;  // an empty picture leaves the parent's region as it was
    GdiRegion region = ShapeOfPicture(*graphic);
    OffsetIntoParentWindow(region.get());
    ApplyWindowRegion(std::move(region));
}

// The region of the drawn picture in the control's client coordinates.
//
// The picture is first copied at natural size into a 32-bit bitmap, always without leaving out
// its transparent colour: with Transparent on, the left-out pixels would keep the bitmap's
// initial black, black would become the colour the shape compares with, and every black pixel
// of the skin would turn into a hole. Transparent changes how the picture is painted, not which
// pixels belong to it.
GdiRegion TImageShape::ShapeOfPicture(const TBitmapGraphic& graphic) const {
    if (graphic.Width() <= 0 || graphic.Height() <= 0)
        return gdi::EmptyRegion();
    gdi::Dib32 rendered(graphic.Width(), graphic.Height());
    gdi::MemoryDC dc(CreateCompatibleDC(nullptr));
    gdi::SelectScope select(dc.get(), rendered.Handle());
    graphic.DrawOpaque(dc.get());
    const RECT client{0, 0, Width(), Height()};
    const PixelView pixels = rendered.View();
    return BuildOpaqueRegion(dc.get(), client, GetDrawRect(), &pixels);
}

void TImageShape::OffsetIntoParentWindow(HRGN region) const {
    RECT outer{};
    RECT client{};
    if (!IsWindow(parent_) || !GetWindowRect(parent_, &outer) || !GetClientRect(parent_, &client)) {
        return;
    }
    const PixelOffset offset = WindowRegionOffset(
        {outer.right - outer.left, outer.bottom - outer.top},
        {client.right - client.left, client.bottom - client.top}, {bounds_.left, bounds_.top});
    OffsetRgn(region, offset.x, offset.y);
}

GdiRegion TImageShape::BuildOpaqueRegion(HDC source, const RECT& client, const RECT& draw,
                                         const PixelView* sourcePixels) {
    return OpaqueRegionOfCopy(source, client, draw, sourcePixels);
}

void TImageShape::ApplyWindowRegion(GdiRegion region) {
    if (!RegionMarkerIsSet()) {
        // The first shaped region in this process: whatever region the parent had goes.
        ownRegion_ = gdi::CopyRegion(region.get());
        SetEnvironmentVariableA(kRegionMarkerName, kRegionMarkerValue);
    } else {
        // Keep the other shaped images' shares: the current region less this control's last
        // share, united with the new share. A parent without a region reads as empty here.
        GdiRegion others = gdi::EmptyRegion();
        GetWindowRgn(parent_, others.get());
        CombineRgn(others.get(), others.get(), ownRegion_.get(), RGN_DIFF);
        ownRegion_ = gdi::CopyRegion(region.get());
        CombineRgn(region.get(), others.get(), region.get(), RGN_OR);
    }
    if (SetWindowRgn(parent_, region.get(), TRUE))
        region.release();
}

}  // namespace velvane
