#include "browserhost/ie_utils.h"

#include "core/hex_digits.h"

namespace velvane {

std::string FileVersionQueryPath(std::uint32_t translation) {
    // The translation holds the language in its low word and the code page in its high word;
    // the block's name gives the language first.
    return "\\StringFileInfo\\" + HexDigits(translation & 0xFFFF, 4, HexLetters::Lower) +
           HexDigits(translation >> 16, 4, HexLetters::Lower) + "\\FileVersion";
}

}  // namespace velvane
