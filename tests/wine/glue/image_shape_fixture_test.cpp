#include "image_shape_fixture_test.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <stdexcept>

namespace velvane::skintest {
namespace {

constexpr std::uint32_t kInteriorColours[] = {kBlue, 0xFFFF00, 0x008000, kBlack, 0xFFFFFF};

bool InsideEllipse(double x, double y, double cx, double cy, double rx, double ry) {
    const double u = (x - cx) / rx;
    const double v = (y - cy) / ry;
    return u * u + v * v <= 1.0;
}

template <typename T>
void Put(std::string& out, T value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// The distinct colours of a picture in order of appearance, and each pixel's index among them.
struct Indexed {
    std::vector<std::uint32_t> palette;
    std::vector<int> indexes;
};

Indexed IndexColours(const TestImage& image) {
    Indexed result;
    std::map<std::uint32_t, int> seen;
    for (std::uint32_t colour : image.rgb) {
        auto [it, added] = seen.emplace(colour, static_cast<int>(result.palette.size()));
        if (added) result.palette.push_back(colour);
        result.indexes.push_back(it->second);
    }
    return result;
}

std::uint16_t To555(std::uint32_t rgb) {
    const unsigned r = (rgb >> 16) & 0xFF;
    const unsigned g = (rgb >> 8) & 0xFF;
    const unsigned b = rgb & 0xFF;
    return static_cast<std::uint16_t>(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
}

// One row of pixels in the file's format, padded to a multiple of four bytes.
std::string EncodeRow(const TestImage& image, const Indexed& indexed, int y, int bitsPerPixel) {
    std::string row;
    if (bitsPerPixel <= 8) {
        unsigned accumulator = 0;
        int bits = 0;
        for (int x = 0; x < image.width; ++x) {
            accumulator = (accumulator << bitsPerPixel) |
                          static_cast<unsigned>(indexed.indexes[y * image.width + x]);
            bits += bitsPerPixel;
            if (bits == 8) {
                row += static_cast<char>(accumulator);
                accumulator = 0;
                bits = 0;
            }
        }
        if (bits > 0) row += static_cast<char>(accumulator << (8 - bits));
    } else {
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t rgb = image.At(x, y);
            if (bitsPerPixel == 16) {
                Put(row, To555(rgb));
            } else {
                row += static_cast<char>(rgb & 0xFF);
                row += static_cast<char>((rgb >> 8) & 0xFF);
                row += static_cast<char>((rgb >> 16) & 0xFF);
                if (bitsPerPixel == 32) row += '\0';
            }
        }
    }
    while (row.size() % 4 != 0) row += '\0';
    return row;
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
    const Indexed indexed = IndexColours(image);
    const std::size_t paletteSize = bitsPerPixel <= 8 ? std::size_t{1} << bitsPerPixel : 0;
    if (paletteSize != 0 && indexed.palette.size() > paletteSize) {
        throw std::invalid_argument("too many colours for the bit depth");
    }
    std::string pixels;
    for (int y = image.height - 1; y >= 0; --y) {
        pixels += EncodeRow(image, indexed, y, bitsPerPixel);
    }
    std::string palette;
    for (std::size_t i = 0; i < paletteSize; ++i) {
        const std::uint32_t rgb = i < indexed.palette.size() ? indexed.palette[i] : 0;
        Put(palette, static_cast<std::uint32_t>(rgb & 0xFFFFFF));  // RGBQUAD: B, G, R, 0
    }

    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = image.width;
    info.biHeight = image.height;
    info.biPlanes = 1;
    info.biBitCount = static_cast<WORD>(bitsPerPixel);
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(pixels.size());
    info.biClrUsed = static_cast<DWORD>(paletteSize);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = static_cast<DWORD>(sizeof file + sizeof info + palette.size());
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());

    std::string bytes;
    Put(bytes, file);
    Put(bytes, info);
    bytes += palette;
    bytes += pixels;
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
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

std::string SourceTreePath(const std::string& relative) {
    // This file's own path as it was compiled, seen through Wine's drive Z: (the Unix root).
    std::string path = __FILE__;
    path.erase(path.rfind("/tests/wine/glue/"));
    path = "Z:" + path + "/" + relative;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
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

TempFolder::TempFolder() {
    static int counter = 0;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + "velvane-skin-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++counter);
    CreateDirectoryA(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((path_ + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            DeleteFileA(File(found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path_.c_str());
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
