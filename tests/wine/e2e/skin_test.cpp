// A skinned disc: the main window cut to the skin's opaque pixels and dragged by the picture.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "driver/driver.h"
#include "driver/driver_more.h"
#include "runs_alone.h"
#include "support/bitmap_file.h"
#include "e2e/program_runs.h"
#include "e2e/sample_disc.h"

namespace velvane::e2e {
namespace {

constexpr int kSkinWidth = 200;
constexpr int kSkinHeight = 150;
constexpr std::uint32_t kMagenta = 0xFF00FF;

// An ellipse on a magenta background, with a magenta hole inside it.
bool Opaque(int x, int y) {
    double dx = (x + 0.5 - kSkinWidth / 2.0) / (kSkinWidth / 2.0);
    double dy = (y + 0.5 - kSkinHeight / 2.0) / (kSkinHeight / 2.0);
    bool inEllipse = dx * dx + dy * dy <= 1.0;
    bool inHole = x >= 90 && x < 110 && y >= 65 && y < 85;
    return inEllipse && !inHole;
}

std::string SkinBitmap() {
    return Bitmap24(kSkinWidth, kSkinHeight,
                    [](int x, int y) { return Opaque(x, y) ? 0x2060A0u + (x % 7) : kMagenta; });
}

// The skin's opaque pixels, moved by the frame above and beside the client area.
HRGN ExpectedRegion(int offsetX, int offsetY) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    for (int y = 0; y < kSkinHeight; ++y) {
        for (int x = 0; x < kSkinWidth;) {
            if (!Opaque(x, y)) {
                ++x;
                continue;
            }
            int start = x;
            while (x < kSkinWidth && Opaque(x, y)) ++x;
            HRGN run = CreateRectRgn(start + offsetX, y + offsetY, x + offsetX, y + 1 + offsetY);
            CombineRgn(region, region, run, RGN_OR);
            DeleteObject(run);
        }
    }
    return region;
}

SampleDisc& SkinnedDisc(SampleDisc& disc) {
    disc.Write("art\\skin.bmp", SkinBitmap());
    disc.Write("autorun.inf",
               "[velvane]\r\nstartpage=index.html\r\nskin=art\\skin.bmp\r\n"
               "windowposition=100,80\r\n"
               "borderstyle=dialog\r\nwindowwidth=640\r\n");
    return disc;
}

TEST(Skin, TheWindowTakesExactlyTheSkinsShape) {
    SampleDisc disc;
    std::optional<RunningProgram> program = StartUntilMainWindow(SkinnedDisc(disc));
    ASSERT_TRUE(program);
    HWND window = program->window.hwnd;
    RECT outer;
    RECT client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    // The window sized itself to the skin; the frame stays as designed and is cut away.
    EXPECT_EQ(client.right, kSkinWidth);
    EXPECT_EQ(client.bottom, kSkinHeight);
    EXPECT_EQ(outer.left, 100);
    EXPECT_EQ(outer.top, 80);
    int borderX = ((outer.right - outer.left) - client.right) / 2;
    int borderY = ((outer.bottom - outer.top) - client.bottom) - borderX;

    HRGN actual = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(window, actual), ERROR);
    HRGN expected = ExpectedRegion(borderX, borderY);
    EXPECT_TRUE(EqualRgn(actual, expected));
    EXPECT_FALSE(PtInRegion(actual, 1, 1)) << "the caption corner is cut away";
    EXPECT_FALSE(PtInRegion(actual, borderX + 100, borderY + 75)) << "the hole is cut out";
    EXPECT_TRUE(PtInRegion(actual, borderX + 100, borderY + 40));
    DeleteObject(expected);
    DeleteObject(actual);
    CloseAndExpectExit(*program);
}

// A full-screen checkerboard of 2-pixel cells would make a region of 259,200 rectangles, far more
// than a window system takes at once (Wine on X11 ends the process above 32,766). The skin still
// gives a shaped, responsive window: its region comes out coarser, never cutting away an opaque
// pixel, and small enough to set at once.
TEST(Skin, ACheckerboardTooFineForARegionStillShapesTheWindow) {
    constexpr int kWidth = 1920;
    constexpr int kHeight = 1080;
    auto opaque = [](int x, int y) { return (x / 2 + y / 2) % 2 == 0; };  // bottom-left: magenta
    SampleDisc disc;
    disc.Write("skin.bmp", Bitmap24(kWidth, kHeight, [&](int x, int y) {
                   return opaque(x, y) ? 0x2060A0u : kMagenta;
               }));
    disc.Write("autorun.inf",
               "[velvane]\r\nstartpage=index.html\r\nskin=skin.bmp\r\nwindowposition=0,0\r\n");
    std::optional<RunningProgram> program = StartUntilMainWindow(disc);
    ASSERT_TRUE(program);
    HWND window = program->window.hwnd;
    DWORD_PTR ignored = 0;
    EXPECT_TRUE(SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &ignored))
        << "the window answers within a second";

    RECT outer;
    RECT client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    const int borderX = ((outer.right - outer.left) - client.right) / 2;
    const int borderY = ((outer.bottom - outer.top) - client.bottom) - borderX;
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(window, region), ERROR);
    const DWORD size = GetRegionData(region, 0, nullptr);
    std::string data(size, '\0');
    ASSERT_EQ(GetRegionData(region, size, reinterpret_cast<RGNDATA*>(data.data())), size);
    const RGNDATAHEADER& header = reinterpret_cast<const RGNDATA*>(data.data())->rdh;
    EXPECT_GT(header.nCount, 0u);
    EXPECT_LE(header.nCount, 8000u);
    EXPECT_FALSE(PtInRegion(region, 1, 1)) << "the frame is still cut away";
    for (int y = 0; y < kHeight; y += 7) {
        for (int x = 0; x < kWidth; x += 13) {
            if (opaque(x, y) && !PtInRegion(region, borderX + x, borderY + y)) {
                ADD_FAILURE() << "opaque pixel (" << x << ", " << y << ") cut away";
                y = kHeight;
                break;
            }
        }
    }
    DeleteObject(region);
    CloseAndExpectExit(*program);
}

// The window that holds the mouse capture in `window`'s thread.
HWND CaptureOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndCapture;
}

// Puts the cursor at `to` and waits until the system reports it there: the program reads the
// cursor, not the message's coordinates.
void MoveCursorTo(POINT to) {
    SetCursorPos(to.x, to.y);
    driver::WaitUntil(
        [to] {
            POINT now{};
            return GetCursorPos(&now) && now.x == to.x && now.y == to.y;
        },
        kWindowTimeout);
}

// Presses a button on the picture, moves the cursor and lets go; returns the window's new place.
// Each step waits for the program to have taken the one before: the press takes the capture, the
// move moves the window (asked again until it does: a repeated move at the same place adds
// nothing), letting go gives the capture back. A step that never comes only costs the wait; the
// place returned tells.
POINT DragBy(HWND window, UINT down, UINT up, WPARAM keys, int dx, int dy) {
    RECT before;
    GetWindowRect(window, &before);
    POINT grip{100, 40};  // on the picture, in client coordinates
    POINT screen = grip;
    ClientToScreen(window, &screen);
    MoveCursorTo(screen);
    PostMessageA(window, down, keys, MAKELPARAM(grip.x, grip.y));
    driver::WaitUntil([window] { return CaptureOf(window) != nullptr; }, kWindowTimeout);
    MoveCursorTo({screen.x + dx, screen.y + dy});
    driver::WaitUntil(
        [&] {
            PostMessageA(window, WM_MOUSEMOVE, keys, MAKELPARAM(grip.x + dx, grip.y + dy));
            RECT now;
            GetWindowRect(window, &now);
            return now.left != before.left || now.top != before.top;
        },
        kWindowTimeout);
    PostMessageA(window, up, 0, MAKELPARAM(grip.x, grip.y));
    driver::WaitUntil([window] { return CaptureOf(window) == nullptr; }, kWindowTimeout);
    RECT after;
    GetWindowRect(window, &after);
    return {after.left - before.left, after.top - before.top};
}

TEST(Skin, DraggingThePictureMovesTheWindowWithEitherButton) {
    VELVANE_RUNS_ALONE();  // the cursor is the whole display's
    SampleDisc disc;
    std::optional<RunningProgram> program = StartUntilMainWindow(SkinnedDisc(disc));
    ASSERT_TRUE(program);
    POINT moved = DragBy(program->window.hwnd, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, 30, 20);
    EXPECT_EQ(moved.x, 30);
    EXPECT_EQ(moved.y, 20);
    moved = DragBy(program->window.hwnd, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON, -15, 25);
    EXPECT_EQ(moved.x, -15);
    EXPECT_EQ(moved.y, 25);
    // Once the button is up, moving the mouse moves nothing.
    RECT before;
    GetWindowRect(program->window.hwnd, &before);
    SetCursorPos(before.left + 300, before.top + 300);
    PostMessageA(program->window.hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(120, 50));
    // Staying put leaves no mark to wait for: time passes, and the window must not move in it.
    driver::Pause(300);
    RECT after;
    GetWindowRect(program->window.hwnd, &after);
    EXPECT_EQ(after.left, before.left);
    CloseAndExpectExit(*program);
}

TEST(Skin, UnreadableSkinEndsStartUpWithTheApplicationErrorBox) {
    SampleDisc disc;
    disc.Write("skin.bmp", "BM but nothing else");
    disc.Write("autorun.inf", "[velvane]\r\nskin=skin.bmp\r\n");
    driver::Process program = disc.Start();
    std::optional<driver::MessageBoxInfo> box =
        driver::WaitForMessageBox(program.Id(), kWindowTimeout);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->title, "Anwendungsfehler");
    driver::Dismiss(*box, IDOK);
    EXPECT_EQ(program.WaitForExit(kExitTimeout), std::optional<DWORD>(1));
}

}  // namespace
}  // namespace velvane::e2e
