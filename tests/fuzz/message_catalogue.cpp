// The message catalogue with any language, id and argument.
//
// Input: four bytes of id (folded into -4..20 most of the time, so that the real ids come up),
// one byte choosing the language, the rest the argument. The text with an argument is the text
// without one with its first "~" replaced by the argument, verbatim, even if the argument holds
// "~" itself; every language but exactly "ger" reads the English text.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "services/message_catalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5) return 0;
    std::int32_t id = 0;
    std::memcpy(&id, data, 4);
    if (data[4] & 0x80) id = static_cast<std::int32_t>(static_cast<std::uint32_t>(id) % 25) - 4;
    static constexpr std::string_view kLanguages[] = {"ger", "int", "GER", "", "ger ", "eng"};
    const std::string_view language = kLanguages[(data[4] & 0x7F) % 6];
    const std::string_view argument(reinterpret_cast<const char*>(data + 5), size - 5);

    const std::string bare = velvane::GetMessageText(language, id, "");
    const std::string text = velvane::GetMessageText(language, id, argument);
    const std::string english = velvane::GetMessageText("int", id, argument);
    FUZZ_CHECK(language == "ger" || text == english);

    const std::string withTilde = velvane::GetMessageText(language, id, "~");
    const std::size_t at = withTilde.find('~');
    if (at == std::string::npos) {
        FUZZ_CHECK(text == bare);
    } else {
        FUZZ_CHECK(text == withTilde.substr(0, at) + std::string(argument) + withTilde.substr(at + 1));
        FUZZ_CHECK(bare.size() + 1 == withTilde.size());
    }
    return 0;
}
