#pragma once
// Hexadecimal numbers written by hand: the printf family would bring its whole formatting engine
// into the exe for the two places that need a number in hex.

#include <cstdint>
#include <string>

namespace velvane {

enum class HexLetters { Lower, Upper };

// The lowest `digits` hexadecimal digits of `value`, with leading zeros (at most 8 digits).
inline std::string HexDigits(std::uint32_t value, int digits, HexLetters letters) {
    const char* alphabet = letters == HexLetters::Upper ? "0123456789ABCDEF" : "0123456789abcdef";
    std::string text(static_cast<std::size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i, value >>= 4)
        text[static_cast<std::size_t>(i)] = alphabet[value & 0xF];
    return text;
}

}  // namespace velvane
