#pragma once
// Drawing a bitmap stretched while leaving out one of its colours, on every Windows release: the
// system's TransparentBlt where there is one (msimg32.dll, Windows 98 and 2000 on), a mask of the
// colour where there is none (Windows 95, NT 4.0).

#include <windows.h>

namespace velvane::gdi {

using TransparentBltFunction = BOOL(WINAPI*)(HDC target, int x, int y, int width, int height,
                                             HDC source, int sourceX, int sourceY,
                                             int sourceWidth, int sourceHeight, UINT transparent);

// The system's TransparentBlt, or nullptr on a system without it. Its library is loaded with the
// first transparent picture: a menu without one never loads it.
TransparentBltFunction SystemTransparentBlt();

// Draws the `width` x `height` pixels at the top left of `source` stretched into `target` on
// `dc`, all but those of the colour `transparent`: through `blit`, or through a mask when it is
// nullptr.
void TransparentStretch(HDC dc, const RECT& target, HDC source, int width, int height,
                        COLORREF transparent, TransparentBltFunction blit);

}  // namespace velvane::gdi
