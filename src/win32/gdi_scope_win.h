#pragma once
// Scoped GDI helpers: memory device contexts, a device context borrowed from a window, temporary
// selections, palettes, and 32-bit DIB sections whose bits can be read directly. They live in
// their own namespace, gdi, beside the other Win32 helpers.

#include <windows.h>

#include <cstdint>

#include "core/error.h"
#include "core/pixel_view.h"
#include "win32/unique_handle_win.h"

namespace velvane::gdi {

struct MemoryDCTraits {
    using Handle = HDC;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { DeleteDC(h); }
};
// A device context from CreateCompatibleDC.
using MemoryDC = UniqueHandle<MemoryDCTraits>;

using Palette = UniqueHandle<GdiObjectTraits<HPALETTE>>;

// A device context borrowed with GetDC; keeps the window it came from, which ReleaseDC needs.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a device context and puts the previous one back at the end of the scope.
class SelectScope {
public:
    SelectScope(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectScope() {
        if (previous_ && previous_ != HGDI_ERROR)
            SelectObject(dc_, previous_);
    }
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Saves a device context's state (clipping, modes, selections) and restores it at the end.
class SavedDCState {
public:
    explicit SavedDCState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~SavedDCState() {
        if (saved_)
            RestoreDC(dc_, saved_);
    }
    SavedDCState(const SavedDCState&) = delete;
    SavedDCState& operator=(const SavedDCState&) = delete;

private:
    HDC dc_;
    int saved_;
};

// A top-down 32-bit DIB section. Its pixels read as 0x00RRGGBB in memory order B, G, R, x; GDI
// leaves the fourth byte undefined after drawing, so comparisons mask it off.
class Dib32 {
public:
    static constexpr std::uint32_t kColourMask = 0x00FFFFFF;

    // Throws Error when the system cannot create it (out of memory).
    Dib32(int width, int height);

    HBITMAP Handle() const { return bitmap_.get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // The pixels; call GdiFlush first when GDI drew into the section.
    PixelView View() const { return {bits_, width_, height_, width_}; }
    // The pixels to write, rows top to bottom; call GdiFlush before GDI draws on them again.
    std::uint32_t* Bits() { return bits_; }

private:
    GdiBitmap bitmap_;
    std::uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

// A new empty region; throws Error when the system has no room for one.
GdiRegion EmptyRegion();

// A copy of `source`.
GdiRegion CopyRegion(HRGN source);

}  // namespace velvane::gdi
