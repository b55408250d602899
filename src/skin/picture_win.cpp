#include "skin/picture_win.h"

#include <utility>
#include <vector>

#include "skin/bitmap_file_win.h"
#include "win32/transparent_blit_win.h"

namespace velvane {
namespace {

gdi::Palette PaletteFromColourTable(HBITMAP bitmap, int bitsPerPixel) {
    if (bitsPerPixel > 8)
        return {};
    gdi::MemoryDC dc(CreateCompatibleDC(nullptr));
    RGBQUAD table[256];
    UINT count = 0;
    {
        gdi::SelectScope select(dc.get(), bitmap);
        count = GetDIBColorTable(dc.get(), 0, 256, table);
    }
    if (count == 0)
        return {};
    std::vector<BYTE> buffer(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(buffer.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(count);
    for (UINT i = 0; i < count; ++i) {
        palette->palPalEntry[i] = {table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
    }
    return gdi::Palette(CreatePalette(palette));
}

COLORREF BottomLeftColour(HBITMAP bitmap, int height) {
    gdi::MemoryDC dc(CreateCompatibleDC(nullptr));
    gdi::SelectScope select(dc.get(), bitmap);
    return GetPixel(dc.get(), 0, height - 1);
}

}  // namespace

TBitmapGraphic::TBitmapGraphic(GdiBitmap bitmap) : bitmap_(std::move(bitmap)) {
    BITMAP info{};
    if (!bitmap_ || GetObjectA(bitmap_.get(), sizeof info, &info) == 0) {
        throw PictureError("Not a bitmap");
    }
    width_ = info.bmWidth;
    height_ = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    bitsPerPixel_ = info.bmBitsPixel;
    palette_ = PaletteFromColourTable(bitmap_.get(), bitsPerPixel_);
    if (width_ > 0 && height_ > 0)
        transparentColor_ = BottomLeftColour(bitmap_.get(), height_);
}

std::unique_ptr<TBitmapGraphic> TBitmapGraphic::LoadFromFile(const std::string& path) {
    if (std::optional<std::string> problem = BitmapFileProblem(path)) {
        throw PictureError("Bitmap image is not valid: " + path + " (" + *problem + ")");
    }
    GdiBitmap bitmap = LoadBitmapFile(path);
    if (!bitmap)
        throw PictureError("Cannot read the bitmap \"" + path + "\"");
    return std::make_unique<TBitmapGraphic>(std::move(bitmap));
}

std::unique_ptr<TBitmapGraphic> TBitmapGraphic::Clone() const {
    GdiBitmap copy(
        static_cast<HBITMAP>(CopyImage(bitmap_.get(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!copy)
        throw PictureError("Cannot copy the bitmap");
    auto clone = std::make_unique<TBitmapGraphic>(std::move(copy));
    clone->transparent_ = transparent_;
    clone->systemTransparentBlit_ = systemTransparentBlit_;
    return clone;
}

void TBitmapGraphic::Draw(HDC dc, const RECT& target) const {
    gdi::MemoryDC source(CreateCompatibleDC(dc));
    gdi::SelectScope select(source.get(), bitmap_.get());
    HPALETTE previousPalette = nullptr;
    if (palette_) {
        previousPalette = SelectPalette(dc, palette_.get(), TRUE);
        RealizePalette(dc);
    }
    const int w = target.right - target.left;
    const int h = target.bottom - target.top;
    if (transparent_) {
        gdi::TransparentStretch(dc, target, source.get(), width_, height_, transparentColor_,
                                systemTransparentBlit_ ? gdi::SystemTransparentBlt() : nullptr);
    } else {
        StretchBlt(dc, target.left, target.top, w, h, source.get(), 0, 0, width_, height_, SRCCOPY);
    }
    if (previousPalette)
        SelectPalette(dc, previousPalette, TRUE);
}

void TBitmapGraphic::DrawOpaque(HDC dc) const {
    gdi::MemoryDC source(CreateCompatibleDC(dc));
    gdi::SelectScope select(source.get(), bitmap_.get());
    BitBlt(dc, 0, 0, width_, height_, source.get(), 0, 0, SRCCOPY);
}

void TPicture::LoadFromFile(const std::string& path) {
    const RECT nothing{};
    Progress(ProgressStage::Starting, 0, false, nothing, {});
    // The system's bitmap loader reads the whole file at once: the only honest reports are the
    // start and the end.
    Replace(TBitmapGraphic::LoadFromFile(path));
    Progress(ProgressStage::Ending, 100, false, nothing, {});
}

void TPicture::Assign(const TPicture& other) {
    if (&other == this)
        return;
    Replace(other.graphic_ ? other.graphic_->Clone() : nullptr);
}

void TPicture::SetBitmap(GdiBitmap bitmap) {
    Replace(bitmap ? std::make_unique<TBitmapGraphic>(std::move(bitmap)) : nullptr);
}

void TPicture::Clear() {
    Replace(nullptr);
}

void TPicture::Progress(ProgressStage stage, std::uint8_t percentDone, bool redrawNow,
                        const RECT& area, const std::string& message) {
    if (OnProgress)
        OnProgress(stage, percentDone, redrawNow, area, message);
}

void TPicture::Replace(std::unique_ptr<TBitmapGraphic> graphic) {
    graphic_ = std::move(graphic);
    if (OnChange)
        OnChange();
}

}  // namespace velvane
