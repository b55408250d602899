#include "window/toolbar.h"

#include <algorithm>
#include <cstdint>

namespace velvane {

std::string ToolbarBitmapPath(std::string_view programFolder, std::string_view buttonDir,
                              std::string_view entry) {
    std::string path(programFolder);
    path += buttonDir;
    path += entry;
    path += ".bmp";
    return path;
}

ButtonImageFit FitButtonImage(bool firstButton, Size image, Size list) {
    if (image == list) return ButtonImageFit::Fits;
    return firstButton ? ButtonImageFit::SetsTheSize : ButtonImageFit::WrongSize;
}

Size ToolButtonSizeFor(Size image) {
    // A bitmap header may claim any 32-bit size; the button then stays at the largest size.
    auto grow = [](std::int32_t side, std::int32_t by) {
        return static_cast<std::int32_t>(std::min<std::int64_t>(std::int64_t{side} + by, INT32_MAX));
    };
    return {grow(image.width, 7), grow(image.height, 6)};
}

}  // namespace velvane
