#include "window/browser_window.h"

#include <array>
#include <optional>

namespace velvane {
namespace {

constexpr std::array<std::uint16_t, 5> kGermanLangIds{1031, 2055, 3079, 4103, 5127};

// A whole decimal number of at least one digit, nothing else; nullopt otherwise.
std::optional<long> ParseDecimal(std::string_view text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

std::string LanguageForLangId(std::uint16_t langId) {
    for (std::uint16_t german : kGermanLangIds) {
        if (langId == german) return "ger";
    }
    return "int";
}

bool UseExternalBrowserFor(std::string_view versionText) {
    // Only the first four characters count: "11.00.9600" reads as major 11, minor "0".
    std::string_view head = versionText.substr(0, 4);
    std::size_t dot = head.find('.');
    if (dot == std::string_view::npos) return true;

    std::optional<long> major = ParseDecimal(head.substr(0, dot));
    if (!major) return true;
    if (*major > 4) return false;
    if (*major < 4) return true;

    std::optional<long> minor = ParseDecimal(head.substr(dot + 1));
    return !minor || *minor != 72;
}

}  // namespace velvane
