#include "config/number_rules.h"

namespace velvane {
namespace {

// One past the largest magnitude an int32 can hold (that of its lowest value); accumulation
// stops here so that arbitrarily long digit strings cannot overflow.
constexpr std::int64_t kMagnitudeLimit = std::int64_t{1} << 31;

std::optional<int> DigitValue(char c, int base) {
    int digit = base;
    if (c >= '0' && c <= '9') {
        digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        digit = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        digit = c - 'A' + 10;
    }
    if (digit >= base) {
        return std::nullopt;
    }
    return digit;
}

// Consumes a hexadecimal prefix if one is present and tells the base of the digits that follow.
int TakeBase(std::string_view& text) {
    if (text.starts_with('$') || text.starts_with('x') || text.starts_with('X')) {
        text.remove_prefix(1);
        return 16;
    }
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        return 16;
    }
    return 10;
}

// The magnitude of a non-empty run of digits that makes up the whole text, or nullopt.
std::optional<std::int64_t> ParseMagnitude(std::string_view digits, int base) {
    if (digits.empty()) {
        return std::nullopt;
    }
    std::int64_t magnitude = 0;
    for (char c : digits) {
        const std::optional<int> digit = DigitValue(c, base);
        if (!digit) {
            return std::nullopt;
        }
        magnitude = magnitude * base + *digit;
        if (magnitude > kMagnitudeLimit) {
            return std::nullopt;
        }
    }
    return magnitude;
}

}  // namespace

std::optional<std::int32_t> ConvertInteger(std::string_view text) {
    while (text.starts_with(' ') || text.starts_with('\t')) {
        text.remove_prefix(1);
    }
    bool negative = false;
    if (text.starts_with('+') || text.starts_with('-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const int base = TakeBase(text);
    const std::optional<std::int64_t> magnitude = ParseMagnitude(text, base);
    if (!magnitude) {
        return std::nullopt;
    }
    const std::int64_t value = negative ? -*magnitude : *magnitude;
    if (value < INT32_MIN || value > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

std::optional<std::int32_t> ConvertNumber(std::string_view text) {
    const bool zeroXPrefix = text.size() > 2 && (text.starts_with("0x") || text.starts_with("0X"));
    if (!zeroXPrefix) {
        return ConvertInteger(text);
    }
    std::string dollarForm = "$";
    dollarForm.append(text.substr(2));
    return ConvertInteger(dollarForm);
}

std::int32_t ReadNumber(const std::optional<std::string>& value, std::int32_t defaultValue) {
    if (!value) {
        return defaultValue;
    }
    return ConvertNumber(*value).value_or(defaultValue);
}

bool ReadSwitch(const std::optional<std::string>& value, bool defaultOn) {
    return ReadNumber(value, defaultOn ? 1 : 0) != 0;
}

}  // namespace velvane
