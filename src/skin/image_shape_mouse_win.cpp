// TImageShape: mouse input forwarded by the parent, and dragging the parent by the picture.

#include <windowsx.h>

#include "skin/image_shape_win.h"

namespace velvane {
namespace {

struct ButtonMessage {
    UINT message;
    MouseButton button;
    bool down;
    bool doubleClick;
};

constexpr ButtonMessage kButtonMessages[] = {
    {WM_LBUTTONDOWN, MouseButton::Left, true, false},
    {WM_LBUTTONDBLCLK, MouseButton::Left, true, true},
    {WM_LBUTTONUP, MouseButton::Left, false, false},
    {WM_RBUTTONDOWN, MouseButton::Right, true, false},
    {WM_RBUTTONDBLCLK, MouseButton::Right, true, true},
    {WM_RBUTTONUP, MouseButton::Right, false, false},
    {WM_MBUTTONDOWN, MouseButton::Middle, true, false},
    {WM_MBUTTONDBLCLK, MouseButton::Middle, true, true},
    {WM_MBUTTONUP, MouseButton::Middle, false, false},
};

const ButtonMessage* FindButtonMessage(UINT message) {
    for (const ButtonMessage& entry : kButtonMessages) {
        if (entry.message == message)
            return &entry;
    }
    return nullptr;
}

// Moves a window by (dx, dy) in the coordinates its position is given in: the screen for a
// top-level window, its parent's client area for a child.
void MoveWindowBy(HWND window, int dx, int dy) {
    RECT rect{};
    if (!GetWindowRect(window, &rect))
        return;
    POINT topLeft{rect.left, rect.top};
    if (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) {
        MapWindowPoints(nullptr, GetParent(window), &topLeft, 1);
    }
    SetWindowPos(window, nullptr, topLeft.x + dx, topLeft.y + dy, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

bool TImageShape::RouteMouseMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const UINT keys = static_cast<UINT>(wParam);
    const bool takesInput = visible_ && enabled_;
    if (message == WM_CAPTURECHANGED) {
        if (capturing_ && reinterpret_cast<HWND>(lParam) != parent_)
            CaptureLost();
        return false;
    }
    if (message == WM_MOUSEMOVE) {
        if (!capturing_ && !(takesInput && Contains(at)))
            return false;
        MouseMove(keys, at);
        return true;
    }
    const ButtonMessage* button = FindButtonMessage(message);
    if (!button)
        return false;
    if (button->down) {
        if (!takesInput || !Contains(at))
            return false;
        MouseDown(button->button, keys, at, button->doubleClick);
        return true;
    }
    if (!capturing_ && !(takesInput && Contains(at)))
        return false;
    MouseUp(button->button, keys, at);
    return true;
}

void TImageShape::MouseDown(MouseButton button, UINT keys, POINT at, bool doubleClick) {
    // Capture first, as the framework does before any handler runs: moves keep arriving while
    // the button is held, even outside the control.
    if (IsWindow(parent_)) {
        SetCapture(parent_);
        capturing_ = GetCapture() == parent_;
    }
    clickPending_ = button == MouseButton::Left && !doubleClick;
    if (doubleClick && button == MouseButton::Left && OnDblClick)
        OnDblClick(*this);
    if (OnMouseDown)
        OnMouseDown(*this, button, keys, ToControl(at));
    dragging_ = true;
    GetCursorPos(&lastCursorPos_);
}

void TImageShape::MouseMove(UINT keys, POINT at) {
    if (OnMouseMove)
        OnMouseMove(*this, keys, ToControl(at));
    if (dragging_ && movable_)
        DragParent();
}

void TImageShape::MouseUp(MouseButton button, UINT keys, POINT at) {
    const bool click = button == MouseButton::Left && clickPending_ && Contains(at);
    clickPending_ = false;
    ReleaseMouseCapture();
    if (click && OnClick)
        OnClick(*this);
    if (OnMouseUp)
        OnMouseUp(*this, button, keys, ToControl(at));
    dragging_ = false;
}

void TImageShape::SetParentWindow(HWND parent) {
    ReleaseMouseCapture();
    CaptureLost();
    parent_ = parent;
}

void TImageShape::CaptureLost() {
    // Without the capture no button-up will come: a drag left running would make the window
    // follow the mouse with no button held.
    capturing_ = false;
    clickPending_ = false;
    dragging_ = false;
}

// The drag step. The movement is taken from the cursor's screen position, not from the message's
// client position, so it does not drift while the window moves under the cursor.
void TImageShape::DragParent() {
    POINT cursor{};
    if (!GetCursorPos(&cursor))
        return;
    if (IsWindow(parent_)) {
        MoveWindowBy(parent_, cursor.x - lastCursorPos_.x, cursor.y - lastCursorPos_.y);
    }
    lastCursorPos_ = cursor;
}

void TImageShape::ReleaseMouseCapture() {
    if (!capturing_)
        return;
    capturing_ = false;
    if (GetCapture() == parent_)
        ReleaseCapture();
}

POINT TImageShape::ToControl(POINT parentPoint) const {
    return {parentPoint.x - bounds_.left, parentPoint.y - bounds_.top};
}

}  // namespace velvane
