// The skin control gives its parent window exactly the outline of the drawn picture.

#include <gtest/gtest.h>

#include "image_shape_fixture_test.h"
#include "win32/gdi_scope_win.h"

namespace velvane::skintest {
namespace {

class ImageShapeRegionTest : public testing::Test {
protected:
    // Every test starts as a fresh process would: no shaped region applied yet.
    void SetUp() override { SetEnvironmentVariableA("tamlo", nullptr); }

    std::string SkinFile(const TestImage& image, const std::string& name, int bitsPerPixel = 24) {
        const std::string path = folder_.File(name);
        WriteBmp(path, image, bitsPerPixel);
        return path;
    }

    TempFolder folder_;
};

#define EXPECT_SAME_REGION(actual, expected)      \
    EXPECT_TRUE(SameRegion((actual), (expected))) \
        << "actual " << Describe(actual) << ", expected " << Describe(expected)

TEST_F(ImageShapeRegionTest, CutsTheWindowToTheEllipseAndItsHoles) {
    const TestImage skin = EllipseSkin(400, 300);
    ShapeHostWindow host(ShapeHostWindow::Frame::None, 40, 30, 400, 300);
    TImageShape& shape = host.AddShape({.bounds = {0, 0, 400, 300}, .autoSize = true});
    shape.LoadPictureFromFile(SkinFile(skin, "ellipse.bmp"));

    GdiRegion region = WindowRegion(host.Handle());
    GdiRegion expected = RegionOfImage(skin);
    EXPECT_SAME_REGION(region.get(), expected.get());
    EXPECT_SAME_REGION(shape.OwnRegion(), expected.get());
    EXPECT_EQ(EnvironmentValue("tamlo"), "set");

    struct Probe {
        const char* name;
        POINT at;
        bool inside;
    } probes[] = {
        {"cut-away top-left corner", {3, 3}, false},
        {"cut-away bottom-right corner", {396, 296}, false},
        {"ellipse above the centre", {200, 60}, true},
        {"round hole", {100, 150}, false},
        {"single-pixel hole", {200, 150}, false},
        {"beside the single-pixel hole", {201, 150}, true},
        {"slit", {200, 225}, false},
    };
    for (const Probe& probe : probes) {
        EXPECT_EQ(PtInRegion(region.get(), probe.at.x, probe.at.y) != 0, probe.inside)
            << probe.name;
    }
    // Clicks in the cut-away corners reach whatever lies beneath the window.
    EXPECT_NE(WindowFromPoint({40 + 3, 30 + 3}), host.Handle());
    EXPECT_EQ(WindowFromPoint({40 + 200, 30 + 60}), host.Handle());
}

TEST_F(ImageShapeRegionTest, TheExampleDiscSkinShapesAFramedWindow) {
    const std::string path = testsupport::SourceTreePath("examples/disc/skinned/skin.bmp");
    const TestImage skin = ReadBmp(path);
    ASSERT_EQ(skin.At(0, skin.height - 1), kMagenta);
    ShapeHostWindow host(ShapeHostWindow::Frame::Caption, 50, 50, 341, 262);
    host.autoSize = true;
    TImageShape& shape = host.AddShape({.autoSize = true});
    shape.LoadPictureFromFile(path);

    const POINT client = ClientOriginInWindow(host.Handle());
    GdiRegion region = WindowRegion(host.Handle());
    GdiRegion expected = RegionOfImage(skin, client.x, client.y);
    EXPECT_SAME_REGION(region.get(), expected.get());
    EXPECT_EQ(shape.Width(), skin.width);
    // Well below the rectangle count at which Wine's X11 driver gives up on a window shape.
    EXPECT_LT(RectangleCount(region.get()), 32766u / 8) << Describe(region.get());
    // The first of the round holes along the bottom edge.
    EXPECT_FALSE(PtInRegion(region.get(), client.x + 44, client.y + 283));
    EXPECT_TRUE(PtInRegion(region.get(), client.x + 44, client.y + 273));
}

TEST_F(ImageShapeRegionTest, SkipsTheBorderAndCaptionOfAFramedWindow) {
    const TestImage skin = EllipseSkin(120, 80);
    ShapeHostWindow host(ShapeHostWindow::Frame::Caption, 60, 60, 300, 250);
    TImageShape& shape = host.AddShape({.bounds = {10, 20, 115, 125}, .autoSize = true});
    shape.LoadPictureFromFile(SkinFile(skin, "small.bmp"));

    const POINT client = ClientOriginInWindow(host.Handle());
    ASSERT_GT(client.y, client.x) << "the window has no caption";
    GdiRegion region = WindowRegion(host.Handle());
    GdiRegion expected = RegionOfImage(skin, client.x + 10, client.y + 20);
    EXPECT_SAME_REGION(region.get(), expected.get());
    RECT box{};
    GetRgnBox(region.get(), &box);
    EXPECT_GE(box.top, client.y + 20) << "the caption bar must be cut away";
}

TEST_F(ImageShapeRegionTest, ReplacesOnlyItsOwnShareOfTheRegion) {
    const TestImage first = EllipseSkin(140, 100);
    const TestImage other = EllipseSkin(100, 140, 2);
    const TestImage second = EllipseSkin(60, 40, 3);
    ShapeHostWindow host(ShapeHostWindow::Frame::None, 80, 80, 300, 200);
    TImageShape& left = host.AddShape({.bounds = {0, 0, 150, 150}});
    TImageShape& right = host.AddShape({.bounds = {150, 10, 250, 150}, .autoSize = true});
    left.LoadPictureFromFile(SkinFile(first, "first.bmp"));
    right.LoadPictureFromFile(SkinFile(other, "other.bmp"));

    GdiRegion rightShare = RegionOfImage(other, 150, 10);
    GdiRegion expected = RegionOfImage(first);
    CombineRgn(expected.get(), expected.get(), rightShare.get(), RGN_OR);
    GdiRegion region = WindowRegion(host.Handle());
    EXPECT_SAME_REGION(region.get(), expected.get());

    // A new picture replaces the left control's share only.
    left.LoadPictureFromFile(SkinFile(second, "second.bmp"));
    expected = RegionOfImage(second);
    CombineRgn(expected.get(), expected.get(), rightShare.get(), RGN_OR);
    region = WindowRegion(host.Handle());
    EXPECT_SAME_REGION(region.get(), expected.get());

    // So does a changed drawing property: centring moves the left share by ((150-60)/2, 55).
    left.SetCenter(true);
    expected = RegionOfImage(second, 45, 55);
    CombineRgn(expected.get(), expected.get(), rightShare.get(), RGN_OR);
    region = WindowRegion(host.Handle());
    EXPECT_SAME_REGION(region.get(), expected.get());
    EXPECT_SAME_REGION(right.OwnRegion(), rightShare.get());
}

TEST_F(ImageShapeRegionTest, TheProcessMarkerDecidesWhetherEarlierRegionsStay) {
    struct Case {
        const char* name;
        const char* marker;  // nullptr: not set
        bool earlierRegion;
        bool earlierStays;
    } cases[] = {
        {"first region in the process discards the earlier one", nullptr, true, false},
        {"marker of another spelling counts as unset", "Set", true, false},
        {"marker inherited: the earlier region stays", "set", true, true},
        {"marker inherited, window without a region", "set", false, false},
    };
    const TestImage skin = EllipseSkin(120, 90);
    const std::string path = SkinFile(skin, "marker.bmp");
    for (const Case& c : cases) {
        SetEnvironmentVariableA("tamlo", c.marker);
        ShapeHostWindow host(ShapeHostWindow::Frame::None, 100, 100, 200, 150);
        GdiRegion earlier(CreateRectRgn(150, 100, 200, 150));
        if (c.earlierRegion) {
            SetWindowRgn(host.Handle(), CreateRectRgn(150, 100, 200, 150), FALSE);
        }
        TImageShape& shape = host.AddShape({.autoSize = true});
        shape.LoadPictureFromFile(path);

        GdiRegion expected = RegionOfImage(skin);
        if (c.earlierStays) CombineRgn(expected.get(), expected.get(), earlier.get(), RGN_OR);
        GdiRegion region = WindowRegion(host.Handle());
        EXPECT_SAME_REGION(region.get(), expected.get()) << c.name;
        EXPECT_EQ(EnvironmentValue("tamlo"), "set") << c.name;
    }
}

TEST_F(ImageShapeRegionTest, ShapesARecreatedParentWindowAtTheNextChange) {
    const TestImage skin = EllipseSkin(120, 90);
    ShapeHostWindow first(ShapeHostWindow::Frame::None, 100, 100, 200, 150);
    ShapeHostWindow second(ShapeHostWindow::Frame::None, 120, 120, 200, 150);
    TImageShape& shape = first.AddShape({.bounds = {0, 0, 150, 150}});
    shape.Picture().SetBitmap(MakeDib(skin));
    GdiRegion firstBefore = WindowRegion(first.Handle());

    shape.SetParentWindow(second.Handle());
    EXPECT_EQ(shape.ParentWindow(), second.Handle());
    shape.SetCenter(true);  // moves the picture by ((150-120)/2, (150-90)/2)
    GdiRegion expected = RegionOfImage(skin, 15, 30);
    GdiRegion region = WindowRegion(second.Handle());
    EXPECT_SAME_REGION(region.get(), expected.get());
    GdiRegion firstAfter = WindowRegion(first.Handle());
    EXPECT_SAME_REGION(firstAfter.get(), firstBefore.get());
}

TEST_F(ImageShapeRegionTest, AnEmptyPictureLeavesTheRegionAlone) {
    const TestImage skin = EllipseSkin(160, 120);
    ShapeHostWindow host(ShapeHostWindow::Frame::None, 100, 100, 200, 150);
    TImageShape& shape = host.AddShape({.autoSize = true});
    shape.LoadPictureFromFile(SkinFile(skin, "clear.bmp"));
    GdiRegion before = WindowRegion(host.Handle());

    shape.Picture().Clear();
    GdiRegion afterClear = WindowRegion(host.Handle());
    EXPECT_SAME_REGION(afterClear.get(), before.get());
    shape.SetStretch(true);
    shape.SetCenter(true);
    GdiRegion afterProperties = WindowRegion(host.Handle());
    EXPECT_SAME_REGION(afterProperties.get(), before.get());
}

TEST_F(ImageShapeRegionTest, AutoSizeFitsTheControlBeforeTheShapeIsBuilt) {
    const TestImage skin = EllipseSkin(400, 300);
    const std::string path = SkinFile(skin, "big.bmp");
    struct Case {
        const char* name;
        bool autoSize;
        RECT expectedBounds;
    } cases[] = {
        {"auto size", true, {0, 0, 400, 300}},
        {"fixed size cuts the shape to the control", false, {0, 0, 105, 105}},
    };
    for (const Case& c : cases) {
        ShapeHostWindow host(ShapeHostWindow::Frame::None, 20, 20, 50, 50);
        host.autoSize = true;
        TImageShape& shape = host.AddShape({.bounds = {0, 0, 105, 105}, .autoSize = c.autoSize});
        shape.LoadPictureFromFile(path);

        const RECT bounds = shape.BoundsRect();
        EXPECT_TRUE(EqualRect(&bounds, &c.expectedBounds)) << c.name;
        GdiRegion expected = RegionOfImage(skin);
        GdiRegion control(CreateRectRgnIndirect(&c.expectedBounds));
        CombineRgn(expected.get(), expected.get(), control.get(), RGN_AND);
        GdiRegion region = WindowRegion(host.Handle());
        EXPECT_SAME_REGION(region.get(), expected.get()) << c.name;
    }
}

TEST_F(ImageShapeRegionTest, TheShapeFollowsStretchProportionalAndCenter) {
    // A ring of 4 x 4 blocks: scaled by whole factors, every pixel stays exact.
    auto ring = [](int bx, int by) {
        const int dx = bx - 25;
        const int dy = by - 12;
        const int d = dx * dx * 4 + dy * dy * 16;
        return d < 2300 && d > 600;
    };
    const TestImage wide = BlockPicture(200, 100, 4, ring);
    const TestImage small = BlockPicture(50, 50, 5, [](int bx, int by) { return (bx + by) % 3; });
    struct Case {
        const char* name;
        const TestImage* picture;
        DrawLayout layout;
        RECT drawRect;
    } cases[] = {
        {"natural size, cut to the control", &wide, {}, {0, 0, 200, 100}},
        {"centred larger picture", &wide, {.center = true}, {-50, 0, 150, 100}},
        {"stretched", &wide, {.stretch = true}, {0, 0, 100, 100}},
        {"stretched proportionally",
         &wide,
         {.stretch = true, .proportional = true},
         {0, 0, 100, 50}},
        {"stretched proportionally and centred",
         &wide,
         {.stretch = true, .center = true, .proportional = true},
         {0, 25, 100, 75}},
        {"proportional shrinks a larger picture", &wide, {.proportional = true}, {0, 0, 100, 50}},
        {"stretch enlarges", &small, {.stretch = true}, {0, 0, 100, 100}},
    };
    for (const Case& c : cases) {
        ShapeHostWindow host(ShapeHostWindow::Frame::None, 30, 30, 100, 100);
        TImageShape& shape = host.AddShape({.bounds = {0, 0, 100, 100}});
        shape.SetStretch(c.layout.stretch);
        shape.SetCenter(c.layout.center);
        shape.SetProportional(c.layout.proportional);
        shape.Picture().SetBitmap(MakeDib(*c.picture));

        const RECT draw = shape.GetDrawRect();
        EXPECT_TRUE(EqualRect(&draw, &c.drawRect)) << c.name;
        const TestImage& picture = *c.picture;
        const RECT d = c.drawRect;
        GdiRegion expected = RegionOfPixels(100, 100, [&](int x, int y) {
            if (x < d.left || x >= d.right || y < d.top || y >= d.bottom) return false;
            const int sx = (x - d.left) * picture.width / (d.right - d.left);
            const int sy = (y - d.top) * picture.height / (d.bottom - d.top);
            return picture.Opaque(sx, sy);
        });
        GdiRegion region = WindowRegion(host.Handle());
        EXPECT_SAME_REGION(region.get(), expected.get()) << c.name;
    }
}

// A stretched picture's shape is read in strips of rows; every stretch must give exactly the
// pixels one copy of the whole picture would, in sizes GDI rounds differently row by row.
TEST_F(ImageShapeRegionTest, AStretchedShapeIsThatOfOneFullCopy) {
    struct Case {
        const char* name;
        int pictureWidth, pictureHeight;
        RECT client;
        RECT draw;
    } cases[] = {
        {"shrunk by an odd ratio", 301, 211, {0, 0, 200, 160}, {0, 0, 123, 157}},
        {"enlarged by an odd ratio", 61, 47, {0, 0, 400, 300}, {3, 5, 400, 298}},
        {"enlarged beyond the client on every side",
         97,
         89,
         {0, 0, 250, 230},
         {-17, -41, 281, 263}},
        {"client away from the origin", 150, 111, {20, 30, 220, 330}, {25, 29, 216, 322}},
        {"a thin picture over several strips", 77, 3, {0, 0, 300, 200}, {0, 0, 299, 199}},
    };
    for (const Case& c : cases) {
        const TestImage picture = EllipseSkin(c.pictureWidth, c.pictureHeight);
        GdiBitmap bitmap = MakeDib(picture);
        gdi::MemoryDC source(CreateCompatibleDC(nullptr));
        gdi::SelectScope selectSource(source.get(), bitmap.get());

        const int width = c.client.right - c.client.left;
        const int height = c.client.bottom - c.client.top;
        gdi::Dib32 copy(width, height);
        {
            gdi::MemoryDC dc(CreateCompatibleDC(nullptr));
            gdi::SelectScope select(dc.get(), copy.Handle());
            StretchBlt(dc.get(), c.draw.left - c.client.left, c.draw.top - c.client.top,
                       c.draw.right - c.draw.left, c.draw.bottom - c.draw.top, source.get(), 0, 0,
                       picture.width, picture.height, SRCCOPY);
        }
        GdiFlush();
        const PixelView pixels = copy.View();
        const std::uint32_t transparent = picture.At(0, picture.height - 1);
        GdiRegion expected = RegionOfPixels(
            width, height,
            [&](int x, int y) {
                const int cx = x + c.client.left;
                const int cy = y + c.client.top;
                return cx >= c.draw.left && cx < c.draw.right && cy >= c.draw.top &&
                       cy < c.draw.bottom &&
                       (pixels.Row(y)[x] & gdi::Dib32::kColourMask) != transparent;
            },
            c.client.left, c.client.top);
        GdiRegion region = TImageShape::BuildOpaqueRegion(source.get(), c.client, c.draw);
        EXPECT_SAME_REGION(region.get(), expected.get()) << c.name;
    }
}

// Regression: left-out transparent pixels must not decide the shape. Drawn transparently into
// a fresh bitmap they would read as black, and the skin's black pixels would become holes.
TEST_F(ImageShapeRegionTest, TransparentDrawingKeepsBlackPixelsInTheShape) {
    const TestImage skin = EllipseSkin(180, 120);  // its stripes include black
    ShapeHostWindow host(ShapeHostWindow::Frame::None, 50, 50, 200, 150);
    TImageShape& shape = host.AddShape({.autoSize = true});
    shape.SetTransparent(true);
    shape.LoadPictureFromFile(SkinFile(skin, "black.bmp"));
    GdiRegion expected = RegionOfImage(skin);
    GdiRegion region = WindowRegion(host.Handle());
    EXPECT_SAME_REGION(region.get(), expected.get());
    EXPECT_TRUE(shape.Picture().Graphic()->Transparent());
}

TEST_F(ImageShapeRegionTest, EveryColourDepthGivesTheSameShape) {
    struct Case {
        int bitsPerPixel;
        int colours;
    } cases[] = {{1, 1}, {4, 5}, {8, 5}, {16, 5}, {24, 5}, {32, 5}};
    for (const Case& c : cases) {
        const TestImage skin = EllipseSkin(150, 110, c.colours);
        const std::string path =
            SkinFile(skin, "depth" + std::to_string(c.bitsPerPixel) + ".bmp", c.bitsPerPixel);
        ShapeHostWindow host(ShapeHostWindow::Frame::None, 70, 70, 200, 150);
        TImageShape& shape = host.AddShape({.autoSize = true});
        shape.LoadPictureFromFile(path);
        ASSERT_NE(shape.Picture().Graphic(), nullptr);
        EXPECT_EQ(shape.Picture().Graphic()->BitsPerPixel(), c.bitsPerPixel);
        GdiRegion expected = RegionOfImage(skin);
        GdiRegion region = WindowRegion(host.Handle());
        EXPECT_SAME_REGION(region.get(), expected.get()) << c.bitsPerPixel << " bits per pixel";
    }
}

TEST_F(ImageShapeRegionTest, PictureChangesLeakNoGdiObjects) {
    const TestImage first = EllipseSkin(200, 150);
    const TestImage second = EllipseSkin(120, 160, 3);
    const std::string path = SkinFile(first, "leak.bmp", 8);
    ShapeHostWindow host(ShapeHostWindow::Frame::None, 10, 10, 200, 160);
    TImageShape& shape = host.AddShape({.autoSize = true});
    TPicture spare;
    spare.SetBitmap(MakeDib(second));

    auto changePicture = [&](int step) {
        switch (step % 5) {
            case 0:
                shape.LoadPictureFromFile(path);
                break;
            case 1:
                shape.Picture().SetBitmap(MakeDib(second));
                break;
            case 2:
                shape.SetCenter(!shape.Center());
                break;
            case 3:
                shape.SetPicture(spare);
                break;
            default:
                shape.Picture().Clear();
                break;
        }
        PumpMessages();  // painting borrows device contexts too
    };
    for (int step = 0; step < 5; ++step) changePicture(step);  // warm-up: caches, stock objects
    const int before = CountGdiObjects();
    for (int step = 0; step < 200; ++step) changePicture(step);
    const int after = CountGdiObjects();
    // A leak of one object per change would show as 200 or more. The margin is for what the
    // system allocates on its own meanwhile (cached device contexts, fonts of painting; under
    // Wine the counted table may also see other programs' objects).
    EXPECT_LE(after, before + 20) << "before " << before << ", after " << after;
}

TEST_F(ImageShapeRegionTest, AnUnreadablePictureFileChangesNothing) {
    const TestImage skin = EllipseSkin(100, 80);
    ShapeHostWindow host(ShapeHostWindow::Frame::None, 10, 10, 100, 80);
    TImageShape& shape = host.AddShape({.autoSize = true});
    shape.LoadPictureFromFile(SkinFile(skin, "good.bmp"));
    GdiRegion before = WindowRegion(host.Handle());

    folder_.Write("broken.bmp", "BM not really");
    const std::string broken = folder_.File("broken.bmp");
    EXPECT_THROW(shape.LoadPictureFromFile(broken), PictureError);
    EXPECT_THROW(shape.LoadPictureFromFile(folder_.File("missing.bmp")), PictureError);
    ASSERT_NE(shape.Picture().Graphic(), nullptr);
    EXPECT_EQ(shape.Picture().Width(), 100);
    GdiRegion after = WindowRegion(host.Handle());
    EXPECT_SAME_REGION(after.get(), before.get());
}

}  // namespace
}  // namespace velvane::skintest
