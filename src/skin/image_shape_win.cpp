// TImageShape: construction, properties, bounds, painting, palette and loading progress.

#include "skin/image_shape_win.h"

#include <utility>

#include "skin/shape_geometry.h"
#include "win32/gdi_scope_win.h"
#include "win32/window_win.h"

namespace velvane {
namespace {

// Sets a flag for the length of a scope and puts the previous value back, also when the scope
// is left by an exception.
class FlagScope {
public:
    FlagScope(bool& flag, bool value) : flag_(flag), previous_(std::exchange(flag, value)) {}
    ~FlagScope() { flag_ = previous_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
    bool previous_;
};

}  // namespace

TImageShape::TImageShape(HWND parent, const ImageShapeDesign& design)
    : parent_(parent),
      bounds_(design.bounds),
      movable_(design.movable),
      ownRegion_(gdi::EmptyRegion()),
      autoSize_(design.autoSize) {
    picture_.OnChange = [this] { UpdateShape(); };
    picture_.OnProgress = [this](ProgressStage stage, std::uint8_t percentDone, bool redrawNow,
                                 const RECT& area, const std::string& message) {
        PictureProgress(stage, percentDone, redrawNow, area, message);
    };
}

TImageShape::~TImageShape() {
    picture_.OnChange = nullptr;
    picture_.OnProgress = nullptr;
    ReleaseMouseCapture();
}

void TImageShape::SetDrawingProperty(bool& field, bool value) {
    if (field == value)
        return;
    field = value;
    UpdateShape();
}

void TImageShape::SetVisible(bool value) {
    if (visible_ == value)
        return;
    visible_ = value;
    if (IsWindow(parent_))
        InvalidateRect(parent_, &bounds_, TRUE);
}

void TImageShape::SetAutoSize(bool value) {
    if (autoSize_ == value)
        return;
    autoSize_ = value;
    if (autoSize_)
        SetBounds(Left(), Top(), Width(), Height());
}

void TImageShape::SetBounds(int left, int top, int width, int height) {
    if (autoSize_)
        CanAutoSize(width, height);
    const RECT bounds{left, top, left + width, top + height};
    if (EqualRect(&bounds, &bounds_))
        return;
    if (IsWindow(parent_))
        InvalidateRect(parent_, &bounds_, TRUE);
    bounds_ = bounds;
    Invalidate();
    if (OnBoundsChanged)
        OnBoundsChanged(*this);
}

bool TImageShape::Contains(POINT parentPoint) const {
    return PtInRect(&bounds_, parentPoint);
}

bool TImageShape::CanAutoSize(int& newWidth, int& newHeight) const {
    const bool widthFree = align_ == ControlAlign::None || align_ == ControlAlign::Left ||
                           align_ == ControlAlign::Right;
    const bool heightFree = align_ == ControlAlign::None || align_ == ControlAlign::Top ||
                            align_ == ControlAlign::Bottom;
    if (widthFree)
        newWidth = picture_.Width();
    if (heightFree)
        newHeight = picture_.Height();
    return true;
}

RECT TImageShape::GetDrawRect() const {
    const DrawLayout layout{.stretch = stretch_, .center = center_, .proportional = proportional_};
    const PixelRect r =
        ComputeDrawRect({picture_.Width(), picture_.Height()}, {Width(), Height()}, layout);
    return {r.left, r.top, r.right, r.bottom};
}

HPALETTE TImageShape::GetPalette() const {
    const TBitmapGraphic* graphic = picture_.Graphic();
    return graphic ? graphic->Palette() : nullptr;
}

void TImageShape::Paint(HDC parentDC) {
    const TBitmapGraphic* graphic = picture_.Graphic();
    if (!graphic || !visible_)
        return;
    FlagScope drawing(drawing_, true);
    gdi::SavedDCState saved(parentDC);
    IntersectClipRect(parentDC, bounds_.left, bounds_.top, bounds_.right, bounds_.bottom);
    // The shape is computed from a copy made with the default stretching mode; painting with the
    // same mode keeps every drawn pixel inside the window's region and none cut off wrongly.
    SetStretchBltMode(parentDC, BLACKONWHITE);
    RECT target = GetDrawRect();
    OffsetRect(&target, bounds_.left, bounds_.top);
    graphic->Draw(parentDC, target);
}

void TImageShape::Invalidate() {
    if (IsWindow(parent_))
        InvalidateRect(parent_, &bounds_, opaque_ ? FALSE : TRUE);
}

void TImageShape::Repaint() {
    Invalidate();
    if (IsWindow(parent_))
        UpdateWindow(parent_);
}

void TImageShape::PaintNow() {
    if (!IsWindow(parent_))
        return;
    gdi::WindowDC dc(parent_);
    if (dc.get())
        Paint(dc.get());
}

// Asks the parent form to realise the palette of a newly arrived graphic. Reports whether it
// asked, so that the caller repaints with the realised palette.
bool TImageShape::DoPaletteChange() {
    TBitmapGraphic* graphic = picture_.Graphic();
    if (!visible_ || !graphic || !graphic->PaletteModified())
        return false;
    if (!graphic->Palette()) {
        graphic->SetPaletteModified(false);
        return false;
    }
    HWND form = IsWindow(parent_) ? RootWindow(parent_) : nullptr;
    if (!form || GetActiveWindow() != form)
        return false;
    // While painting, the palette must be realised before the paint goes on; otherwise later.
    if (drawing_) {
        SendMessageA(form, WM_QUERYNEWPALETTE, 0, 0);
    } else {
        PostMessageA(form, WM_QUERYNEWPALETTE, 0, 0);
    }
    graphic->SetPaletteModified(false);
    return true;
}

void TImageShape::PictureProgress(ProgressStage stage, std::uint8_t percentDone, bool redrawNow,
                                  const RECT& area, const std::string& message) {
    if (incrementalDisplay_ && redrawNow) {
        if (DoPaletteChange()) {
            Repaint();
        } else {
            PaintNow();
        }
    }
    if (OnProgress)
        OnProgress(*this, stage, percentDone, redrawNow, area, message);
}

}  // namespace velvane
