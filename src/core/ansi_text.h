#pragma once
// UTF-16 text in the system's ANSI code page without look-alikes, on every Windows release.
//
// The plain conversion maps a character the code page lacks to a similar one ("best fit"): it
// would turn D:\Łódź\setup.exe into D:\Lodz\setup.exe, another file's name. Windows 2000 and
// later take a request to leave best fit out; NT 4.0 refuses that request as an unknown flag
// (and what 95, 98 and Me do with it is unknown), which would turn every text into nothing.
// Where the request is refused, the plain conversion's answer is converted back and compared:
// a character that does not come back as itself was mapped to a look-alike, or is missing. So is
// an answer to the request that claims every character came across, in case a system ignores
// the request instead of refusing it.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace velvane {

// 8-bit text in the ANSI code page. A character the code page lacks appears as "?", never as a
// look-alike; `exact` says whether every character came across.
struct AnsiText {
    std::string text;
    bool exact = true;
};

// The system's conversions between UTF-16 and the ANSI code page.
struct AnsiCodePage {
    // Without best fit: a missing character becomes the code page's default character and
    // `exact` false. nullopt when the system refuses to convert so.
    std::function<std::optional<AnsiText>(std::u16string_view)> withoutBestFit;
    // The plain conversion, best fit included (empty when the system cannot convert), and back.
    std::function<std::string(std::u16string_view)> toAnsi;
    std::function<std::u16string(std::string_view)> fromAnsi;
};

AnsiText ConvertWithoutLookAlikes(std::u16string_view text, const AnsiCodePage& codePage);

}  // namespace velvane
