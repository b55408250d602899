#include "window/split_list.h"

#include "core/ascii.h"

namespace velvane {
namespace {

bool MatchesAt(std::string_view text, std::size_t at, std::string_view separator) {
    return text.size() - at >= separator.size() &&
           EqualIgnoringAsciiCase(text.substr(at, separator.size()), separator);
}

}  // namespace

std::vector<std::string> SplitList(std::string_view text, std::string_view separator) {
    std::vector<std::string> entries;
    if (separator.empty()) {
        if (!text.empty()) entries.emplace_back(text);
        return entries;
    }
    std::size_t start = 0;
    for (std::size_t at = 0; at < text.size();) {
        if (MatchesAt(text, at, separator)) {
            entries.emplace_back(text.substr(start, at - start));
            at += separator.size();
            start = at;
        } else {
            ++at;
        }
    }
    if (start < text.size()) entries.emplace_back(text.substr(start));
    return entries;
}

}  // namespace velvane
