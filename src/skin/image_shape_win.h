#pragma once
// TImageShape: a picture control that cuts its parent window to the outline of its picture and
// lets the user drag the window by it.
//
// Whenever the picture or one of the drawing properties (Center, Stretch, Transparent,
// Proportional) changes, the control finds the pixels of the drawn picture whose colour differs
// from the picture's bottom-left pixel, moves them into the parent's window coordinates and makes
// them the parent's window region, keeping whatever share other shaped images gave that region.
// The process environment variable "tamlo" reads "set" from the first region on, and programs
// started afterwards inherit it.
//
// The control is windowless: it has no HWND and lives on its parent's surface. The parent
// forwards to it (see RouteMouseMessage for the mouse):
//   WM_PAINT          Paint(dc) with the parent's paint DC (client coordinates), after the
//                     parent's own background; when IsOpaque(), the background under
//                     BoundsRect() need not be erased.
//   WM_xBUTTONDOWN, WM_xBUTTONDBLCLK (x = L, R, M), WM_MOUSEMOVE, WM_xBUTTONUP,
//   WM_CAPTURECHANGED RouteMouseMessage(message, wParam, lParam); a true answer means the control
//                     took the message. With several controls, offer the message first to the
//                     one that HasMouseCapture(), then to the others in z-order.
//   OnBoundsChanged   is called whenever the control's bounds changed, before the region is
//                     built: a parent that sizes itself to its content (the window's automatic
//                     sizing) resizes its client area here, so the region is measured against
//                     the final frame.
//   WM_QUERYNEWPALETTE / WM_PALETTECHANGED  the parent realises GetPalette() when it has one;
//                     the control asks for that when a picture with a palette arrives.
// A parent that recreates its window hands the new handle over with SetParentWindow.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "skin/opaque_runs.h"
#include "skin/picture_win.h"
#include "win32/unique_handle_win.h"

namespace velvane {

enum class ControlAlign { None, Top, Bottom, Left, Right, Client };
enum class MouseButton { Left, Right, Middle };

// Values a form description gives the control; applied as they are, without asking the automatic
// size query (which would shrink an empty control to 0 x 0).
struct ImageShapeDesign {
    RECT bounds{0, 0, 105, 105};
    bool autoSize = false;
    bool movable = true;
};

class TImageShape {
public:
    using NotifyEvent = std::function<void(TImageShape& sender)>;
    // Positions are in the control's client coordinates; keys are the MK_ flags of the message.
    using MouseButtonEvent =
        std::function<void(TImageShape& sender, MouseButton button, UINT keys, POINT at)>;
    using MouseMoveEvent = std::function<void(TImageShape& sender, UINT keys, POINT at)>;
    using ProgressEvent =
        std::function<void(TImageShape& sender, ProgressStage stage, std::uint8_t percentDone,
                           bool redrawNow, const RECT& area, const std::string& message)>;

    TImageShape(HWND parent, const ImageShapeDesign& design = {});
    // Leaves the parent's window region as it is.
    ~TImageShape();
    TImageShape(const TImageShape&) = delete;
    TImageShape& operator=(const TImageShape&) = delete;

    // The picture. Any change of it (loading, assigning, clearing) runs UpdateShape.
    TPicture& Picture() { return picture_; }
    const TPicture& Picture() const { return picture_; }
    void SetPicture(const TPicture& picture) { picture_.Assign(picture); }
    // Throws PictureError for a missing or unreadable file; the picture then stays as it was.
    void LoadPictureFromFile(const std::string& path) { picture_.LoadFromFile(path); }

    // Drawing properties: a changed value reshapes the parent.
    bool Center() const { return center_; }
    void SetCenter(bool value) { SetDrawingProperty(center_, value); }
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value) { SetDrawingProperty(stretch_, value); }
    bool Proportional() const { return proportional_; }
    void SetProportional(bool value) { SetDrawingProperty(proportional_, value); }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value) { SetDrawingProperty(transparent_, value); }

    bool IncrementalDisplay() const { return incrementalDisplay_; }
    void SetIncrementalDisplay(bool value) { incrementalDisplay_ = value; }
    bool Movable() const { return movable_; }
    void SetMovable(bool value) { movable_ = value; }
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value) { enabled_ = value; }
    ControlAlign Align() const { return align_; }
    void SetAlign(ControlAlign value) { align_ = value; }
    // Switching AutoSize on fits the bounds to the picture at once; it does not reshape.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);

    // Bounds in the parent's client coordinates.
    RECT BoundsRect() const { return bounds_; }
    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    int Width() const { return bounds_.right - bounds_.left; }
    int Height() const { return bounds_.bottom - bounds_.top; }
    // With AutoSize on, the automatic size query has the last word on width and height.
    void SetBounds(int left, int top, int width, int height);
    // Whether a point in the parent's client coordinates lies on the control.
    bool Contains(POINT parentPoint) const;

    // The automatic size query: proposes the picture's size for the sides the alignment leaves
    // free; always allows the resize.
    bool CanAutoSize(int& newWidth, int& newHeight) const;
    // Where the picture is drawn, in the control's client coordinates.
    RECT GetDrawRect() const;
    // The control covers its bounds completely: the parent need not paint underneath.
    bool IsOpaque() const { return opaque_; }
    HPALETTE GetPalette() const;
    bool Dragging() const { return dragging_; }
    // The control holds its parent's mouse capture since a button went down on it.
    bool HasMouseCapture() const { return capturing_; }

    HWND ParentWindow() const { return parent_; }
    // For a parent whose window was recreated (a new class style needs a new window). A drag
    // in progress ends; the shape is applied to the new window at the next change.
    void SetParentWindow(HWND parent);

    // Forwarded by the parent (see the top of this file).
    void Paint(HDC parentDC);
    bool RouteMouseMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The primitives RouteMouseMessage uses; positions in the parent's client coordinates.
    void MouseDown(MouseButton button, UINT keys, POINT at, bool doubleClick = false);
    void MouseMove(UINT keys, POINT at);
    void MouseUp(MouseButton button, UINT keys, POINT at);
    // The parent lost the mouse capture that a button press gave it: the drag ends.
    void CaptureLost();

    // Reshapes the parent after a change of the picture or a drawing property.
    void UpdateShape();
    // The pixels of `source` (the picture at natural size) that differ from its bottom-left
    // pixel, as drawn into `draw` and cut to `client`. The caller owns the region. A caller that
    // owns the bitmap in `source` may pass its pixels, which saves a copy when the picture is
    // drawn at its own size (see OpaqueRegionOfCopy).
    static GdiRegion BuildOpaqueRegion(HDC source, const RECT& client, const RECT& draw,
                                       const PixelView* sourcePixels = nullptr);
    // Replaces this control's share of the parent's window region with `region` (parent window
    // coordinates). The window system owns the region afterwards.
    void ApplyWindowRegion(GdiRegion region);
    // This control's last share of the parent's region, in parent window coordinates.
    HRGN OwnRegion() const { return ownRegion_.get(); }

    NotifyEvent OnBoundsChanged;
    NotifyEvent OnClick;
    NotifyEvent OnDblClick;
    MouseButtonEvent OnMouseDown;
    MouseMoveEvent OnMouseMove;
    MouseButtonEvent OnMouseUp;
    ProgressEvent OnProgress;

private:
    void SetDrawingProperty(bool& field, bool value);
    void PictureProgress(ProgressStage stage, std::uint8_t percentDone, bool redrawNow,
                         const RECT& area, const std::string& message);
    void UpdateDrawingMode();
    bool DoPaletteChange();
    void Invalidate();
    void Repaint();
    void PaintNow();
    GdiRegion ShapeOfPicture(const TBitmapGraphic& graphic) const;
    void OffsetIntoParentWindow(HRGN region) const;
    POINT ToControl(POINT parentPoint) const;
    void DragParent();
    void ReleaseMouseCapture();

    HWND parent_;
    RECT bounds_;
    POINT lastCursorPos_{};
    bool dragging_ = false;
    bool movable_;
    TPicture picture_;
    bool stretch_ = false;
    bool center_ = false;
    bool incrementalDisplay_ = false;
    bool transparent_ = false;
    bool drawing_ = false;
    bool proportional_ = false;
    GdiRegion ownRegion_;

    bool autoSize_;
    bool visible_ = true;
    bool enabled_ = true;
    ControlAlign align_ = ControlAlign::None;
    bool opaque_ = false;
    bool capturing_ = false;
    // A left press on the control that a release on it turns into a click.
    bool clickPending_ = false;
};

}  // namespace velvane
