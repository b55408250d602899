#include "core/ansi_text.h"

namespace velvane {
namespace {

// The plain conversion of one UTF-16 unit when it comes back as itself; nullopt when it is missing
// from the code page or mapped to a look-alike. Half a surrogate pair never comes back: no ANSI
// code page but UTF-8 (which never gets here: all of its text comes back) holds such characters,
// and the system, asked to leave best fit out, writes one mark per half as well.
std::optional<std::string> RoundTripped(std::u16string_view unit, const AnsiCodePage& codePage) {
    std::string bytes = codePage.toAnsi(unit);
    if (bytes.empty() || codePage.fromAnsi(bytes) != unit) return std::nullopt;
    return bytes;
}

}  // namespace

AnsiText ConvertWithoutLookAlikes(std::u16string_view text, const AnsiCodePage& codePage) {
    if (text.empty()) return {};
    // An answer that says every character came across is believed only when it converts back:
    // a system could ignore the request instead of refusing it.
    if (std::optional<AnsiText> converted = codePage.withoutBestFit(text)) {
        if (!converted->exact || codePage.fromAnsi(converted->text) == text) return *converted;
    }
    std::string whole = codePage.toAnsi(text);
    if (!whole.empty() && codePage.fromAnsi(whole) == text) return {whole, true};
    // Unit by unit, so that only what does not come back turns into "?" (a code page of two-byte
    // characters keeps each character's bytes together this way).
    AnsiText result{{}, false};
    for (std::size_t at = 0; at < text.size(); ++at) {
        std::optional<std::string> bytes = RoundTripped(text.substr(at, 1), codePage);
        result.text += bytes ? *bytes : std::string("?");
    }
    return result;
}

}  // namespace velvane
