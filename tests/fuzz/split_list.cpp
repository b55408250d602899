// SplitList against a reference that searches a lower-cased copy.
//
// Input: the first byte gives the separator's length (0-3), the next bytes the separator, the
// rest the text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "window/split_list.h"

namespace {

std::string Lowered(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

std::vector<std::string> ReferenceSplit(std::string_view text, std::string_view separator) {
    std::vector<std::string> entries;
    if (text.empty()) return entries;
    if (separator.empty()) return {std::string(text)};
    const std::string lowText = Lowered(text);
    const std::string lowSeparator = Lowered(separator);
    std::size_t start = 0;
    for (std::size_t at; (at = lowText.find(lowSeparator, start)) != std::string::npos;
         start = at + separator.size()) {
        entries.emplace_back(text.substr(start, at - start));
    }
    if (start < text.size()) entries.emplace_back(text.substr(start));
    return entries;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t separatorLength = std::min<std::size_t>(data[0] % 4, size - 1);
    const std::string_view separator(reinterpret_cast<const char*>(data + 1), separatorLength);
    const std::string_view text(reinterpret_cast<const char*>(data + 1 + separatorLength),
                                size - 1 - separatorLength);
    const std::vector<std::string> entries = velvane::SplitList(text, separator);
    FUZZ_CHECK(entries == ReferenceSplit(text, separator));
    return 0;
}
