#include "image_shape_fixture_test.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace velvane::skintest {
namespace {

constexpr std::uint32_t kInteriorColours[] = {kBlue, 0xFFFF00, 0x008000, kBlack, 0xFFFFFF};

bool InsideEllipse(double x, double y, double cx, double cy, double rx, double ry) {
    const double u = (x - cx) / rx;
    const double v = (y - cy) / ry;
    return u * u + v * v <= 1.0;
}

}  // namespace

TestImage EllipseSkin(int width, int height, int colours) {
    TestImage image{width, height, std::vector<std::uint32_t>(width * height, kMagenta)};
    const double cx = width / 2.0;
    const double cy = height / 2.0;
    const double rx = width / 2.0 - 1;
    const double ry = height / 2.0 - 1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double px = x + 0.5;
            const double py = y + 0.5;
            if (!InsideEllipse(px, py, cx, cy, rx, ry)) continue;
            // Holes: two round ones, a slit, and one single pixel.
            if (InsideEllipse(px, py, cx - rx / 2, cy, rx / 6, ry / 5)) continue;
            if (InsideEllipse(px, py, cx + rx / 3, cy - ry / 3, rx / 10, ry / 8)) continue;
            if (y == height * 3 / 4 && x > cx - rx / 3 && x < cx + rx / 3) continue;
            if (x == width / 2 && y == height / 2) continue;
            image.rgb[y * width + x] = kInteriorColours[((x / 9) + (y / 7)) % colours];
        }
    }
    return image;
}

TestImage BlockPicture(int width, int height, int block,
                       const std::function<bool(int bx, int by)>& opaque) {
    TestImage image{width, height, std::vector<std::uint32_t>(width * height, kMagenta)};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (opaque(x / block, y / block)) image.rgb[y * width + x] = kBlue;
        }
    }
    return image;
}

void WriteBmp(const std::string& path, const TestImage& image, int bitsPerPixel) {
    testsupport::WriteWholeFile(path, testsupport::BmpFile(image, bitsPerPixel));
}

TestImage ReadBmp(const std::string& path) {
    GdiBitmap bitmap(static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap.get(), sizeof info, &info)) {
        throw std::runtime_error("cannot read " + path);
    }
    TestImage image{info.bmWidth, info.bmHeight,
                    std::vector<std::uint32_t>(info.bmWidth * info.bmHeight)};
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = image.width;
    format.bmiHeader.biHeight = -image.height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap.get(), 0, image.height, image.rgb.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    for (std::uint32_t& pixel : image.rgb) pixel &= 0xFFFFFF;
    return image;
}

GdiBitmap MakeDib(const TestImage& image) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    GdiBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap) throw std::runtime_error("CreateDIBSection failed");
    std::copy(image.rgb.begin(), image.rgb.end(), static_cast<std::uint32_t*>(bits));
    return bitmap;
}

GdiRegion RegionOfPixels(int width, int height, const std::function<bool(int x, int y)>& opaque,
                         int dx, int dy) {
    GdiRegion region(CreateRectRgn(0, 0, 0, 0));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width;) {
            if (!opaque(x, y)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < width && opaque(x, y)) ++x;
            GdiRegion run(CreateRectRgn(start + dx, y + dy, x + dx, y + dy + 1));
            CombineRgn(region.get(), region.get(), run.get(), RGN_OR);
        }
    }
    return region;
}

GdiRegion RegionOfImage(const TestImage& image, int dx, int dy) {
    return RegionOfPixels(
        image.width, image.height, [&image](int x, int y) { return image.Opaque(x, y); }, dx, dy);
}

GdiRegion WindowRegion(HWND window) {
    GdiRegion region(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(window, region.get()) == ERROR) return GdiRegion();
    return region;
}

bool SameRegion(HRGN a, HRGN b) {
    return a && b && EqualRgn(a, b);
}

DWORD RectangleCount(HRGN region) {
    const DWORD size = GetRegionData(region, 0, nullptr);
    if (size == 0) return 0;
    std::vector<char> data(size);
    GetRegionData(region, size, reinterpret_cast<RGNDATA*>(data.data()));
    return reinterpret_cast<RGNDATA*>(data.data())->rdh.nCount;
}

std::string Describe(HRGN region) {
    if (!region) return "no region";
    RECT box{};
    GetRgnBox(region, &box);
    char text[128];
    std::snprintf(text, sizeof text, "box (%ld,%ld)-(%ld,%ld), %lu rectangles", box.left, box.top,
                  box.right, box.bottom, static_cast<unsigned long>(RectangleCount(region)));
    return text;
}

int CountGdiObjects() {
    const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported != 0) return static_cast<int>(reported);
    // Wine keeps GDI objects in a table of 64K entries and accepts a bare index as a handle.
    int count = 0;
    for (ULONG index = 1; index < 0x10000; ++index) {
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(static_cast<ULONG_PTR>(index)))) ++count;
    }
    return count;
}

POINT ClientOriginInWindow(HWND window) {
    RECT outer{};
    GetWindowRect(window, &outer);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return {origin.x - outer.left, origin.y - outer.top};
}

std::string EnvironmentValue(const char* name) {
    char value[256] = {};
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length == 0 || length >= sizeof value ? std::string() : std::string(value, length);
}

ShapeHostWindow::ShapeHostWindow(Frame frame, int left, int top, int width, int height) {
    RegisterWindowClass("VelvaneSkinTestHost", CS_DBLCLKS,
                        reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    const DWORD style = frame == Frame::Caption ? WS_OVERLAPPEDWINDOW : WS_POPUP;
    CreateHandle(0, "VelvaneSkinTestHost", "Skin test", style | WS_CLIPCHILDREN, left, top, width,
                 height, nullptr);
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    PumpMessages();
}

ShapeHostWindow::~ShapeHostWindow() {
    shapes_.clear();
    DestroyHandle();
}

TImageShape& ShapeHostWindow::AddShape(const ImageShapeDesign& design) {
    shapes_.push_back(std::make_unique<TImageShape>(Handle(), design));
    TImageShape& shape = *shapes_.back();
    shape.OnBoundsChanged = [this](TImageShape&) {
        if (autoSize) FitClientToShapes();
    };
    return shape;
}

LRESULT ShapeHostWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PaintShapes();
        return 0;
    }
    for (const auto& shape : shapes_) {
        if (shape->RouteMouseMessage(message, wParam, lParam)) return 0;
    }
    return DefaultHandling(message, wParam, lParam);
}

void ShapeHostWindow::PaintShapes() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(Handle(), &paint);
    for (const auto& shape : shapes_) shape->Paint(dc);
    EndPaint(Handle(), &paint);
}

void ShapeHostWindow::FitClientToShapes() {
    RECT content{0, 0, 0, 0};
    for (const auto& shape : shapes_) {
        content.right = std::max(content.right, shape->BoundsRect().right);
        content.bottom = std::max(content.bottom, shape->BoundsRect().bottom);
    }
    const DWORD style = static_cast<DWORD>(GetWindowLongA(Handle(), GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongA(Handle(), GWL_EXSTYLE));
    AdjustWindowRectEx(&content, style, FALSE, exStyle);
    SetWindowPos(Handle(), nullptr, 0, 0, content.right - content.left,
                 content.bottom - content.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace velvane::skintest
