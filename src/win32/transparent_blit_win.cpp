#include "win32/transparent_blit_win.h"

#include "win32/gdi_scope_win.h"
#include "win32/library_win.h"

namespace velvane::gdi {
namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
// The destination AND NOT the source: clears the pixels that are white in the source.
constexpr DWORD kAndNotSource = 0x00220326;

// A blit from a monochrome bitmap gives its black pixels the text colour and its white pixels
// the background colour of the target.
void UseMonochromeColours(HDC dc) {
    SetTextColor(dc, kBlack);
    SetBkColor(dc, kWhite);
}

// The older way, with nothing newer than Windows 95 has: a monochrome mask, white where the
// source has the transparent colour, clears the target's share of the picture (AND), and the
// picture, its transparent pixels made black, is painted into it (OR).
void MaskedStretch(HDC dc, const RECT& target, HDC source, int width, int height,
                   COLORREF transparent) {
    MemoryDC maskDC(CreateCompatibleDC(dc));
    GdiBitmap mask(CreateBitmap(width, height, 1, 1, nullptr));
    MemoryDC imageDC(CreateCompatibleDC(dc));
    GdiBitmap image(CreateCompatibleBitmap(dc, width, height));
    if (!maskDC || !mask || !imageDC || !image) return;
    SelectScope selectMask(maskDC.get(), mask.get());
    SelectScope selectImage(imageDC.get(), image.get());

    // A blit from colour to monochrome turns the source's background colour white, all else black.
    const COLORREF sourceBackground = SetBkColor(source, transparent);
    BitBlt(maskDC.get(), 0, 0, width, height, source, 0, 0, SRCCOPY);
    SetBkColor(source, sourceBackground);

    BitBlt(imageDC.get(), 0, 0, width, height, source, 0, 0, SRCCOPY);
    UseMonochromeColours(imageDC.get());  // a context of its own: nothing to put back
    BitBlt(imageDC.get(), 0, 0, width, height, maskDC.get(), 0, 0, kAndNotSource);

    SavedDCState callersColours(dc);
    UseMonochromeColours(dc);
    const int w = target.right - target.left;
    const int h = target.bottom - target.top;
    StretchBlt(dc, target.left, target.top, w, h, maskDC.get(), 0, 0, width, height, SRCAND);
    StretchBlt(dc, target.left, target.top, w, h, imageDC.get(), 0, 0, width, height, SRCPAINT);
}

}  // namespace

TransparentBltFunction SystemTransparentBlt() {
    // Looked up at run time: Windows 95 and NT 4.0 have no msimg32.dll, and the program must
    // start there all the same.
    static const TransparentBltFunction found =
        ProcAddress<TransparentBltFunction>(SystemLibrary("msimg32.dll"), "TransparentBlt");
    return found;
}

void TransparentStretch(HDC dc, const RECT& target, HDC source, int width, int height,
                        COLORREF transparent, TransparentBltFunction blit) {
    if (!blit) {
        MaskedStretch(dc, target, source, width, height, transparent);
        return;
    }
    blit(dc, target.left, target.top, target.right - target.left, target.bottom - target.top,
         source, 0, 0, width, height, transparent);
}

}  // namespace velvane::gdi
