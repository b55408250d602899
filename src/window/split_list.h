#pragma once
// Cutting the list settings (requirements, toolbar, skin position, extensions) into entries.

#include <string>
#include <string_view>
#include <vector>

namespace velvane {

// Every occurrence of `separator` (matched regardless of ASCII letter case) ends an entry.
// Entries are not trimmed; an empty entry between adjacent separators or before a leading one
// stays, a separator at the very end adds nothing, and an empty text gives no entries.
std::vector<std::string> SplitList(std::string_view text, std::string_view separator);

}  // namespace velvane
