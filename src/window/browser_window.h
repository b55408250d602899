#pragma once
// The main window's decisions at its creation that need no platform: the message language from
// the user's language id, and whether the installed browser may host the start page.

#include <cstdint>
#include <string>
#include <string_view>

namespace velvane {

// "ger" for German as spoken in Germany, Switzerland, Austria, Luxembourg and Liechtenstein;
// "int" for every other id. The whole 16-bit id counts: German without a sub-language is "int".
std::string LanguageForLangId(std::uint16_t langId);

// True when the browser whose version text is `versionText` must not host the start page:
// major version below 4, 4 with any minor version but 72, or a text that does not parse.
bool UseExternalBrowserFor(std::string_view versionText);

}  // namespace velvane
