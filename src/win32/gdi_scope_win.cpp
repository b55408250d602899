#include "win32/gdi_scope_win.h"

#include <string>

namespace velvane::gdi {

Dib32::Dib32(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // negative: rows top to bottom, like a PixelView
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap_ || !bits) {
        throw Error("Cannot create a bitmap of " + std::to_string(width) + " x " +
                    std::to_string(height) + " pixels");
    }
    bits_ = static_cast<std::uint32_t*>(bits);
}

GdiRegion EmptyRegion() {
    GdiRegion region(CreateRectRgn(0, 0, 0, 0));
    if (!region)
        throw Error("Cannot create a region");
    return region;
}

GdiRegion CopyRegion(HRGN source) {
    GdiRegion copy = EmptyRegion();
    CombineRgn(copy.get(), source, nullptr, RGN_COPY);
    return copy;
}

}  // namespace velvane::gdi
