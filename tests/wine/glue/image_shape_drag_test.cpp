// Dragging the parent window by the skin control, with mouse messages as the parent forwards
// them and the cursor moved with SetCursorPos.

#include <gtest/gtest.h>

#include "runs_alone.h"

#include "image_shape_fixture_test.h"

namespace velvane::skintest {
namespace {

struct ButtonCase {
    const char* name;
    UINT down;
    UINT up;
    UINT keys;
    MouseButton button;
    bool movable;
};

RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

LPARAM ClientPoint(int x, int y) {
    return MAKELPARAM(x, y);
}

// Records the control's mouse events.
struct EventLog {
    int downs = 0;
    int moves = 0;
    int ups = 0;
    int clicks = 0;
    POINT lastDownAt{-1, -1};
    MouseButton lastButton = MouseButton::Middle;

    void Attach(TImageShape& shape) {
        shape.OnMouseDown = [this](TImageShape&, MouseButton button, UINT, POINT at) {
            ++downs;
            lastDownAt = at;
            lastButton = button;
        };
        shape.OnMouseMove = [this](TImageShape&, UINT, POINT) { ++moves; };
        shape.OnMouseUp = [this](TImageShape&, MouseButton, UINT, POINT) { ++ups; };
        shape.OnClick = [this](TImageShape&) { ++clicks; };
    }
};

class ImageShapeDragTest : public testing::Test {
protected:
    void SetUp() override {
        VELVANE_RUNS_ALONE();  // the cursor is the whole display's
        GetCursorPos(&savedCursor_);
    }
    void TearDown() override { SetCursorPos(savedCursor_.x, savedCursor_.y); }

private:
    POINT savedCursor_{};
};

TEST_F(ImageShapeDragTest, AnyButtonDragsTheWindowByTheCursorMovement) {
    const ButtonCase cases[] = {
        {"left button", WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, MouseButton::Left, true},
        {"right button", WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON, MouseButton::Right, true},
        {"middle button", WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON, MouseButton::Middle, true},
        {"left button, not movable", WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, MouseButton::Left,
         false},
        {"right button, not movable", WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON, MouseButton::Right,
         false},
    };
    for (const ButtonCase& c : cases) {
        ShapeHostWindow host(ShapeHostWindow::Frame::None, 200, 150, 300, 200);
        TImageShape& shape = host.AddShape({.bounds = {20, 10, 125, 115}, .movable = c.movable});
        EventLog log;
        log.Attach(shape);
        HWND window = host.Handle();
        const RECT start = WindowRect(window);

        SetCursorPos(260, 210);
        SendMessageA(window, c.down, c.keys, ClientPoint(60, 60));
        EXPECT_EQ(GetCapture(), window) << c.name;
        SetCursorPos(300, 235);
        SendMessageA(window, WM_MOUSEMOVE, c.keys, ClientPoint(100, 85));
        // Far outside the control now; the capture keeps the moves coming.
        SetCursorPos(280, 330);
        SendMessageA(window, WM_MOUSEMOVE, c.keys, ClientPoint(80, 180));
        SendMessageA(window, c.up, 0, ClientPoint(80, 180));
        const RECT dragged = WindowRect(window);
        // After the release, moving the cursor moves nothing.
        SetCursorPos(250, 250);
        SendMessageA(window, WM_MOUSEMOVE, 0, ClientPoint(30, 30));
        const RECT released = WindowRect(window);

        const int dx = c.movable ? 280 - 260 : 0;
        const int dy = c.movable ? 330 - 210 : 0;
        EXPECT_EQ(dragged.left, start.left + dx) << c.name;
        EXPECT_EQ(dragged.top, start.top + dy) << c.name;
        EXPECT_EQ(dragged.right - dragged.left, 300) << c.name;
        EXPECT_TRUE(EqualRect(&released, &dragged)) << c.name;
        EXPECT_NE(GetCapture(), window) << c.name;
        EXPECT_FALSE(shape.Dragging()) << c.name;
        // The mouse events fire whether or not the window moves.
        EXPECT_EQ(log.downs, 1) << c.name;
        EXPECT_EQ(log.moves, 3) << c.name;
        EXPECT_EQ(log.ups, 1) << c.name;
        EXPECT_EQ(log.lastButton, c.button) << c.name;
        EXPECT_EQ(log.lastDownAt.x, 40) << c.name;
        EXPECT_EQ(log.lastDownAt.y, 50) << c.name;
    }
}

TEST_F(ImageShapeDragTest, InputBesideTheControlIsNotTaken) {
    ShapeHostWindow host(ShapeHostWindow::Frame::None, 200, 150, 300, 200);
    TImageShape& shape = host.AddShape({.bounds = {20, 10, 125, 115}});
    EventLog log;
    log.Attach(shape);
    const RECT start = WindowRect(host.Handle());

    SetCursorPos(400, 300);
    SendMessageA(host.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(200, 150));
    SetCursorPos(420, 320);
    SendMessageA(host.Handle(), WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(220, 170));
    SendMessageA(host.Handle(), WM_LBUTTONUP, 0, ClientPoint(220, 170));

    const RECT after = WindowRect(host.Handle());
    EXPECT_TRUE(EqualRect(&start, &after));
    EXPECT_EQ(log.downs + log.moves + log.ups, 0);
    EXPECT_FALSE(shape.Dragging());
}

TEST_F(ImageShapeDragTest, LosingTheCaptureEndsTheDrag) {
    ShapeHostWindow host(ShapeHostWindow::Frame::None, 200, 150, 300, 200);
    TImageShape& shape = host.AddShape({.bounds = {0, 0, 300, 200}});
    HWND window = host.Handle();

    SetCursorPos(250, 200);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(50, 50));
    ASSERT_TRUE(shape.Dragging());
    ReleaseCapture();  // e.g. another window took the mouse
    const RECT start = WindowRect(window);
    SetCursorPos(270, 230);
    SendMessageA(window, WM_MOUSEMOVE, 0, ClientPoint(70, 80));

    const RECT after = WindowRect(window);
    EXPECT_FALSE(shape.Dragging());
    EXPECT_TRUE(EqualRect(&start, &after));
}

TEST_F(ImageShapeDragTest, AClickNeedsPressAndReleaseOnTheControl) {
    struct Case {
        const char* name;
        POINT releaseAt;
        int clicks;
    } cases[] = {
        {"released on the control", {50, 50}, 1},
        {"released beside the control", {250, 150}, 0},
    };
    for (const Case& c : cases) {
        ShapeHostWindow host(ShapeHostWindow::Frame::None, 200, 150, 300, 200);
        TImageShape& shape = host.AddShape({.bounds = {0, 0, 105, 105}, .movable = false});
        EventLog log;
        log.Attach(shape);
        SendMessageA(host.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(40, 40));
        SendMessageA(host.Handle(), WM_LBUTTONUP, 0, ClientPoint(c.releaseAt.x, c.releaseAt.y));
        EXPECT_EQ(log.clicks, c.clicks) << c.name;
        EXPECT_EQ(log.ups, 1) << c.name;
    }
}

}  // namespace
}  // namespace velvane::skintest
