#pragma once

#include <optional>
#include <string>

#include "win32/unique_handle_win.h"

namespace velvane {

// Why the bitmap file at `path` is no readable picture, or nullopt when it is sound.
std::optional<std::string> BitmapFileProblem(const std::string& path);

// The picture in a bitmap file that BitmapFileProblem accepts, as a DIB section of the file's
// own colour depth, bit masks and colour table (so the colours the disc's author chose reach the
// screen unchanged by its depth), or nullptr when it cannot be read.
//
// Files that store their rows top down are turned bottom-up here rather than left to the system:
// under Wine LoadImage reads them as an all-black picture, and black then becomes the skin's
// transparent colour and cuts the whole window away.
GdiBitmap LoadBitmapFile(const std::string& path);

}  // namespace velvane
