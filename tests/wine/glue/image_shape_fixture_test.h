#pragma once
// What the skin control's tests share: pictures made in code (as BMP files of any colour depth
// or as DIBs in memory), regions built pixel by pixel to compare with, a host window that
// forwards painting and mouse input the way the main window must, and a count of the process's
// GDI objects.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/image_shape_win.h"
#include "support/bitmap_file.h"
#include "support/temp_folder_win.h"
#include "win32/unique_handle_win.h"
#include "win32/window_win.h"

namespace velvane::skintest {

constexpr std::uint32_t kMagenta = 0xFF00FF;  // 0xRRGGBB
constexpr std::uint32_t kBlue = 0x0000FF;
constexpr std::uint32_t kBlack = 0x000000;

// A picture as 0xRRGGBB colours, rows top to bottom.
using TestImage = testsupport::Picture;

// A skin: an ellipse of `colours` colours (1 to 5, all but the first distinct from magenta even
// in 5 bits per channel) on magenta, with magenta holes of several sizes, one a single pixel.
TestImage EllipseSkin(int width, int height, int colours = 5);
// A picture built of `block` x `block` squares, opaque where `opaque(bx, by)` says, so that
// scaling by whole factors keeps its pixels exact.
TestImage BlockPicture(int width, int height, int block,
                       const std::function<bool(int bx, int by)>& opaque);

// Reads a BMP file (through LoadImage and GetDIBits) as a picture.
TestImage ReadBmp(const std::string& path);

// Writes a BMP file of the given colour depth (1, 4, 8, 16, 24 or 32 bits per pixel). The
// picture must have few enough colours for a palette depth.
void WriteBmp(const std::string& path, const TestImage& image, int bitsPerPixel);
// The picture as a 32-bit DIB section.
GdiBitmap MakeDib(const TestImage& image);

// A folder in the temp folder, removed with everything in it at the end of the scope.
using testsupport::TempFolder;

// The pixels for which `opaque(x, y)` holds within (0, 0, width, height), moved by (dx, dy),
// united run by run: the slow, obviously right way.
GdiRegion RegionOfPixels(int width, int height, const std::function<bool(int x, int y)>& opaque,
                         int dx = 0, int dy = 0);
GdiRegion RegionOfImage(const TestImage& image, int dx = 0, int dy = 0);

GdiRegion WindowRegion(HWND window);
bool SameRegion(HRGN a, HRGN b);
DWORD RectangleCount(HRGN region);
// A short description of a region for failure messages: bounding box and rectangle count.
std::string Describe(HRGN region);

// The GDI objects this process holds. Wine answers GetGuiResources with "not implemented"; its
// handle table then is walked instead.
int CountGdiObjects();

// Where the client area's origin lies in the window's outer rectangle.
POINT ClientOriginInWindow(HWND window);

std::string EnvironmentValue(const char* name);

// A window that hosts skin controls the way the main window must: it forwards painting and the
// mouse to them, and with autoSize on fits its client area to them whenever one changes bounds.
class ShapeHostWindow : public Window {
public:
    enum class Frame { None, Caption };

    ShapeHostWindow(Frame frame, int left, int top, int width, int height);
    ~ShapeHostWindow() override;

    TImageShape& AddShape(const ImageShapeDesign& design = {});
    bool autoSize = false;

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PaintShapes();
    void FitClientToShapes();

    std::vector<std::unique_ptr<TImageShape>> shapes_;
};

// Handles the messages waiting in this thread's queue.
void PumpMessages();

}  // namespace velvane::skintest
