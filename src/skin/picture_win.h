#pragma once
// The skin control's picture: a container that holds at most one bitmap graphic and tells its
// owner when the graphic changes or reports loading progress.
//
// Only bitmaps are supported, the one kind of picture the program loads. They are kept as DIB
// sections of the file's own colour depth (see LoadBitmapFile), so the colours the disc's author
// chose reach the shape unchanged by the screen's depth.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/error.h"
#include "win32/gdi_scope_win.h"
#include "win32/unique_handle_win.h"

namespace velvane {

// A picture file that exists but cannot be read as a bitmap, or does not exist.
class PictureError : public Error {
public:
    using Error::Error;
};

enum class ProgressStage { Starting, Running, Ending };

class TBitmapGraphic {
public:
    // Takes ownership of a bitmap (a DIB section or a device-dependent bitmap).
    explicit TBitmapGraphic(GdiBitmap bitmap);

    // Throws PictureError when the file is missing or not a bitmap.
    static std::unique_ptr<TBitmapGraphic> LoadFromFile(const std::string& path);
    std::unique_ptr<TBitmapGraphic> Clone() const;

    int Width() const { return width_; }
    int Height() const { return height_; }
    int BitsPerPixel() const { return bitsPerPixel_; }
    HBITMAP Handle() const { return bitmap_.get(); }

    // When set, Draw leaves out the pixels of TransparentColor.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent) { transparent_ = transparent; }
    // The colour of the bottom-left pixel.
    COLORREF TransparentColor() const { return transparentColor_; }
    // Whether Draw leaves the colour out with the system's TransparentBlt where it has one (the
    // default), or always through a mask, as on a system without it (tests).
    void SetSystemTransparentBlit(bool use) { systemTransparentBlit_ = use; }

    // A palette made from the colour table of a bitmap of 8 or fewer bits per pixel; none
    // otherwise. The modified mark is set for every new graphic and cleared by whoever realises
    // the palette.
    HPALETTE Palette() const { return palette_.get(); }
    bool PaletteModified() const { return paletteModified_; }
    void SetPaletteModified(bool modified) { paletteModified_ = modified; }

    // Draws the bitmap scaled into `target`, leaving out the transparent colour when
    // Transparent is set, with the destination's current stretching mode.
    void Draw(HDC dc, const RECT& target) const;
    // Copies every pixel at natural size to (0, 0), whatever Transparent says.
    void DrawOpaque(HDC dc) const;

private:
    GdiBitmap bitmap_;
    gdi::Palette palette_;
    int width_ = 0;
    int height_ = 0;
    int bitsPerPixel_ = 0;
    bool transparent_ = false;
    bool systemTransparentBlit_ = true;
    bool paletteModified_ = true;
    COLORREF transparentColor_ = 0;
};

class TPicture {
public:
    using ChangeHandler = std::function<void()>;
    using ProgressHandler =
        std::function<void(ProgressStage stage, std::uint8_t percentDone, bool redrawNow,
                           const RECT& area, const std::string& message)>;

    TPicture() = default;
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    // The graphic, or nullptr when the picture is empty.
    TBitmapGraphic* Graphic() const { return graphic_.get(); }
    int Width() const { return graphic_ ? graphic_->Width() : 0; }
    int Height() const { return graphic_ ? graphic_->Height() : 0; }

    // Each of these replaces the graphic and then notifies the change. LoadFromFile throws
    // PictureError (leaving the picture as it was) for a missing or unreadable file.
    void LoadFromFile(const std::string& path);
    void Assign(const TPicture& other);
    void SetBitmap(GdiBitmap bitmap);
    void Clear();

    // Loaders report their progress through this; it reaches the progress handler.
    void Progress(ProgressStage stage, std::uint8_t percentDone, bool redrawNow, const RECT& area,
                  const std::string& message);

    ChangeHandler OnChange;
    ProgressHandler OnProgress;

private:
    void Replace(std::unique_ptr<TBitmapGraphic> graphic);

    std::unique_ptr<TBitmapGraphic> graphic_;
};

}  // namespace velvane
