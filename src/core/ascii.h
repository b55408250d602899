#pragma once
// Letter case in the ASCII range only: the settings' section and key names, separators, file
// extensions and addresses compare this way, whatever the user's code page makes of other bytes.

#include <string>
#include <string_view>

namespace velvane {

// Only the letters A to Z change; every other byte stays.
inline char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string LowerAsciiLetters(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered) c = LowerAscii(c);
    return lowered;
}

inline bool EqualIgnoringAsciiCase(std::string_view left, std::string_view right) {
    if (left.size() != right.size()) return false;
    for (std::size_t i = 0; i < left.size(); ++i) {
        if (LowerAscii(left[i]) != LowerAscii(right[i])) return false;
    }
    return true;
}

}  // namespace velvane
