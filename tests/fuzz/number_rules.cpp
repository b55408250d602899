// The number rules against a reference built on std::from_chars.
//
// Input: the text of a number key. ConvertInteger and ConvertNumber must agree with the rules
// as stated: blanks, a sign, a hexadecimal prefix, digits and nothing else, within int32.

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "config/number_rules.h"
#include "fuzz/fuzz_check.h"

namespace {

bool AllDigits(std::string_view digits, int base) {
    for (char c : digits) {
        const bool decimal = c >= '0' && c <= '9';
        const bool hex = (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (!(decimal || (base == 16 && hex))) return false;
    }
    return !digits.empty();
}

std::optional<std::int32_t> ReferenceInteger(std::string_view text) {
    std::size_t start = text.find_first_not_of(" \t");
    text = start == std::string_view::npos ? std::string_view() : text.substr(start);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        base = 16;
        text.remove_prefix(2);
    } else if (!text.empty() && (text[0] == '$' || text[0] == 'x' || text[0] == 'X')) {
        base = 16;
        text.remove_prefix(1);
    }
    if (!AllDigits(text, base)) return std::nullopt;
    // Leading zeros cannot push from_chars out of range; anything else beyond 64 bits is out of
    // the int32 range anyway.
    std::uint64_t magnitude = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (magnitude > (std::uint64_t{1} << 31)) return std::nullopt;
    const std::int64_t value =
        negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::optional<std::int32_t> ReferenceNumber(std::string_view text) {
    if (text.size() > 2 && (text.starts_with("0x") || text.starts_with("0X"))) {
        return ReferenceInteger("$" + std::string(text.substr(2)));
    }
    return ReferenceInteger(text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    FUZZ_CHECK(velvane::ConvertInteger(text) == ReferenceInteger(text));
    const std::optional<std::int32_t> number = velvane::ConvertNumber(text);
    FUZZ_CHECK(number == ReferenceNumber(text));
    FUZZ_CHECK(velvane::ReadNumber(text, 17) == number.value_or(17));
    FUZZ_CHECK(velvane::ReadSwitch(text, true) == (number.value_or(1) != 0));
    return 0;
}
