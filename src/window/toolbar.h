#pragma once
// Decisions of the tool bar's construction: where each button's bitmap lies, whether it fits the
// others, and how large the buttons are.

#include <string>
#include <string_view>

#include "window/geometry.h"

namespace velvane {

// The bitmap of a tool button: program folder + button folder + command word + ".bmp".
std::string ToolbarBitmapPath(std::string_view programFolder, std::string_view buttonDir,
                              std::string_view entry);

// A button's bitmap against the image list. The first bitmap gives the list its size (the list
// is still empty then); every later one must be as large as the first, or the tool bar stops
// with its message, keeping the buttons built so far.
enum class ButtonImageFit { Fits, SetsTheSize, WrongSize };
ButtonImageFit FitButtonImage(bool firstButton, Size image, Size list);

// Tool buttons are 7 pixels wider and 6 pixels taller than their images.
Size ToolButtonSizeFor(Size image);

}  // namespace velvane
