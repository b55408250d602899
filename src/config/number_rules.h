#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velvane {

// Converts a text to a signed 32-bit whole number: leading blanks (space, tab) skipped, an
// optional "+" or "-", then either decimal digits, or hexadecimal digits after a "$", "x", "X",
// "0x" or "0X" prefix; nothing may follow the digits. Empty text, any other character, no digits,
// or a value outside the int32 range fail. Hex values are range-checked like decimal ones after
// the sign is applied, so "$80000000" fails while "-$80000000" is the lowest int32.
std::optional<std::int32_t> ConvertInteger(std::string_view text);

// The number rule on a text of its own (also used for coordinates inside other settings): a text
// longer than two characters beginning with "0x" or "0X" reads as if it began with "$", then
// ConvertInteger.
std::optional<std::int32_t> ConvertNumber(std::string_view text);

// A "number" key: `value` as read from the profile (nullopt when absent), by ConvertNumber; an
// absent or unconvertible value gives `defaultValue`.
std::int32_t ReadNumber(const std::optional<std::string>& value, std::int32_t defaultValue);

// A "switch" key: a number defaulting to 1 (defaultOn) or 0, on exactly when it is not 0.
bool ReadSwitch(const std::optional<std::string>& value, bool defaultOn);

}  // namespace velvane
