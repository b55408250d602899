#pragma once
// The bilingual message texts, by id. Texts are bytes of Windows code page 1252.

#include <cstdint>
#include <string>
#include <string_view>

namespace velvane {

// Message ids in use; every other id has no text.
enum MessageId : std::int32_t {
    kMsgDllLoadError = 2,
    kMsgConfigMissing = 4,
    kMsgAboutItem = 5,
    kMsgExternalBrowser = 6,
    kMsgRequirementsFailed = 7,
    kMsgWindowPosition = 8,
    kMsgButtonBitmapMissing = 9,
    kMsgCannotPrint = 11,
    kMsgExecutableMissing = 12,
    kMsgStartPageMissing = 15,
    kMsgButtonSizes = 17,
};

// The text of `id` in the language "ger" (German, matched exactly) or else English, with the
// first "~" replaced by `argument` verbatim. Unknown ids give the empty text.
std::string GetMessageText(std::string_view language, std::int32_t id, std::string_view argument);

}  // namespace velvane
