// The skin control as a picture control: painting, the automatic size query, palettes and
// loading progress.

#include <gtest/gtest.h>

#include "runs_alone.h"

#include <vector>

#include "image_shape_fixture_test.h"
#include "win32/gdi_scope_win.h"

namespace velvane::skintest {
namespace {

constexpr std::uint32_t kGrey = 0x808080;

// A 32-bit surface standing in for the parent's paint DC.
class Surface {
public:
    Surface(int width, int height) : dib_(width, height), dc_(CreateCompatibleDC(nullptr)) {
        select_.emplace(dc_.get(), dib_.Handle());
        RECT all{0, 0, width, height};
        GdiBrush grey(CreateSolidBrush(RGB(0x80, 0x80, 0x80)));
        FillRect(dc_.get(), &all, grey.get());
    }
    HDC Dc() const { return dc_.get(); }
    std::uint32_t At(int x, int y) const {
        GdiFlush();
        return dib_.View().Row(y)[x] & gdi::Dib32::kColourMask;
    }

private:
    gdi::Dib32 dib_;
    gdi::MemoryDC dc_;
    std::optional<gdi::SelectScope> select_;
};

TEST(ImageShapePaintTest, DrawsThePictureIntoItsDrawRectWithinTheBounds) {
    // Its bottom-left pixel, and so its transparent colour, is blue.
    const TestImage picture = BlockPicture(60, 40, 5, [](int bx, int by) { return bx != by; });
    struct Case {
        const char* name;
        RECT bounds;
        DrawLayout layout;
        bool transparent;
        RECT target;  // where the picture lands, parent coordinates
        bool withoutTransparentBlt = false;  // as on Windows 95 and NT 4.0
    } cases[] = {
        {"natural size", {10, 5, 110, 105}, {}, false, {10, 5, 70, 45}},
        {"stretched", {10, 5, 130, 85}, {.stretch = true}, false, {10, 5, 130, 85}},
        {"centred", {10, 5, 110, 105}, {.center = true}, false, {30, 35, 90, 75}},
        {"transparent", {10, 5, 110, 105}, {}, true, {10, 5, 70, 45}},
        {"transparent through a mask", {10, 5, 110, 105}, {}, true, {10, 5, 70, 45}, true},
        {"transparent, stretched", {10, 5, 130, 85}, {.stretch = true}, true, {10, 5, 130, 85}},
        {"transparent, stretched through a mask", {10, 5, 130, 85}, {.stretch = true}, true,
         {10, 5, 130, 85}, true},
        {"cut to a smaller control", {10, 5, 40, 25}, {}, false, {10, 5, 70, 45}},
    };
    for (const Case& c : cases) {
        ShapeHostWindow host(ShapeHostWindow::Frame::None, 0, 0, 200, 150);
        TImageShape& shape = host.AddShape({.bounds = c.bounds, .autoSize = false});
        shape.SetStretch(c.layout.stretch);
        shape.SetCenter(c.layout.center);
        shape.SetTransparent(c.transparent);
        shape.Picture().SetBitmap(MakeDib(picture));
        shape.Picture().Graphic()->SetSystemTransparentBlit(!c.withoutTransparentBlt);
        Surface surface(200, 150);
        shape.Paint(surface.Dc());

        const RECT& t = c.target;
        int wrong = 0;
        for (int y = 0; y < 150; ++y) {
            for (int x = 0; x < 200; ++x) {
                std::uint32_t expected = kGrey;
                const POINT p{x, y};
                if (PtInRect(&c.bounds, p) && PtInRect(&t, p)) {
                    const int sx = (x - t.left) * picture.width / (t.right - t.left);
                    const int sy = (y - t.top) * picture.height / (t.bottom - t.top);
                    expected = picture.At(sx, sy);
                    if (c.transparent && !picture.Opaque(sx, sy)) expected = kGrey;
                }
                if (surface.At(x, y) != expected && wrong++ < 3) {
                    ADD_FAILURE() << c.name << ": pixel " << x << "," << y << " is " << std::hex
                                  << surface.At(x, y) << ", expected " << expected;
                }
            }
        }
        EXPECT_EQ(wrong, 0) << c.name;
    }
}

TEST(ImageShapePaintTest, AnEmptyOrHiddenControlPaintsNothing) {
    ShapeHostWindow host(ShapeHostWindow::Frame::None, 0, 0, 200, 150);
    TImageShape& shape = host.AddShape({.bounds = {0, 0, 100, 100}});
    Surface surface(200, 150);
    shape.Paint(surface.Dc());
    EXPECT_EQ(surface.At(50, 50), kGrey);
    shape.SetVisible(false);
    shape.Picture().SetBitmap(MakeDib(EllipseSkin(100, 100)));
    shape.Paint(surface.Dc());
    EXPECT_EQ(surface.At(50, 50), kGrey);
}

TEST(ImageShapeAutoSizeTest, ProposesThePictureSizeForTheSidesTheAlignmentLeavesFree) {
    struct Case {
        const char* name;
        ControlAlign align;
        bool withPicture;
        int width;
        int height;
    } cases[] = {
        {"not aligned", ControlAlign::None, true, 40, 30},
        {"aligned left", ControlAlign::Left, true, 40, 77},
        {"aligned right", ControlAlign::Right, true, 40, 77},
        {"aligned top", ControlAlign::Top, true, 66, 30},
        {"aligned bottom", ControlAlign::Bottom, true, 66, 30},
        {"filling the parent", ControlAlign::Client, true, 66, 77},
        {"empty picture", ControlAlign::None, false, 0, 0},
    };
    for (const Case& c : cases) {
        ShapeHostWindow host(ShapeHostWindow::Frame::None, 0, 0, 200, 150);
        TImageShape& shape = host.AddShape();
        shape.SetAlign(c.align);
        if (c.withPicture) shape.Picture().SetBitmap(MakeDib(EllipseSkin(40, 30)));
        int width = 66;
        int height = 77;
        EXPECT_TRUE(shape.CanAutoSize(width, height)) << c.name;
        EXPECT_EQ(width, c.width) << c.name;
        EXPECT_EQ(height, c.height) << c.name;
    }
}

TEST(ImageShapeAutoSizeTest, SwitchingAutoSizeResizesWithoutReshaping) {
    SetEnvironmentVariableA("tamlo", nullptr);
    ShapeHostWindow host(ShapeHostWindow::Frame::None, 0, 0, 200, 150);
    TImageShape& shape = host.AddShape({.bounds = {0, 0, 105, 105}});
    shape.Picture().SetBitmap(MakeDib(EllipseSkin(80, 60)));
    GdiRegion before = WindowRegion(host.Handle());
    ASSERT_TRUE(before);

    shape.SetAutoSize(true);
    EXPECT_EQ(shape.Width(), 80);
    EXPECT_EQ(shape.Height(), 60);
    GdiRegion after = WindowRegion(host.Handle());
    EXPECT_TRUE(SameRegion(before.get(), after.get()));
    // With AutoSize on, the picture's size wins over any other size asked for.
    shape.SetBounds(5, 6, 300, 300);
    const RECT bounds = shape.BoundsRect();
    const RECT expected{5, 6, 85, 66};
    EXPECT_TRUE(EqualRect(&bounds, &expected));
}

TEST(ImageShapePictureTest, PaletteOfPalettedBitmapsIsOffered) {
    TempFolder folder;
    const TestImage skin = EllipseSkin(64, 48);
    for (int bitsPerPixel : {4, 8, 24}) {
        const std::string path = folder.File("palette" + std::to_string(bitsPerPixel) + ".bmp");
        WriteBmp(path, skin, bitsPerPixel);
        ShapeHostWindow host(ShapeHostWindow::Frame::None, 0, 0, 100, 100);
        TImageShape& shape = host.AddShape();
        EXPECT_EQ(shape.GetPalette(), nullptr);
        shape.LoadPictureFromFile(path);
        EXPECT_EQ(shape.GetPalette() != nullptr, bitsPerPixel <= 8) << bitsPerPixel;
    }
}

TEST(ImageShapePictureTest, AskTheActiveFormToRealiseANewPalette) {
    VELVANE_RUNS_ALONE();  // it needs the active window
    TempFolder folder;
    const std::string path = folder.File("paletted.bmp");
    WriteBmp(path, EllipseSkin(64, 48), 8);
    ShapeHostWindow host(ShapeHostWindow::Frame::None, 0, 0, 100, 100);
    SetForegroundWindow(host.Handle());
    SetActiveWindow(host.Handle());
    if (GetActiveWindow() != host.Handle()) GTEST_SKIP() << "the test window cannot be activated";
    PumpMessages();
    TImageShape& shape = host.AddShape();
    shape.LoadPictureFromFile(path);

    MSG message{};
    EXPECT_TRUE(
        PeekMessageA(&message, host.Handle(), WM_QUERYNEWPALETTE, WM_QUERYNEWPALETTE, PM_REMOVE));
    EXPECT_FALSE(shape.Picture().Graphic()->PaletteModified());
}

TEST(ImageShapePictureTest, ForwardsLoadingProgress) {
    TempFolder folder;
    const std::string path = folder.File("progress.bmp");
    WriteBmp(path, EllipseSkin(64, 48), 24);
    ShapeHostWindow host(ShapeHostWindow::Frame::None, 0, 0, 100, 100);
    TImageShape& shape = host.AddShape();
    struct Report {
        ProgressStage stage;
        int percent;
        bool redrawNow;
    };
    std::vector<Report> reports;
    shape.OnProgress = [&](TImageShape& sender, ProgressStage stage, std::uint8_t percent,
                           bool redrawNow, const RECT&, const std::string&) {
        EXPECT_EQ(&sender, &shape);
        reports.push_back({stage, percent, redrawNow});
    };
    shape.LoadPictureFromFile(path);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].stage, ProgressStage::Starting);
    EXPECT_EQ(reports[0].percent, 0);
    EXPECT_EQ(reports[1].stage, ProgressStage::Ending);
    EXPECT_EQ(reports[1].percent, 100);

    // A progressive loader asking for a redraw gets one painted at once, then the report.
    shape.SetIncrementalDisplay(true);
    shape.Picture().Progress(ProgressStage::Running, 50, true, RECT{0, 0, 64, 24}, "half");
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_EQ(reports[2].stage, ProgressStage::Running);
    EXPECT_TRUE(reports[2].redrawNow);
}

}  // namespace
}  // namespace velvane::skintest
