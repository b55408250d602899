#include "window/start_page.h"

#include <string>
#include <vector>

#include "config/number_rules.h"
#include "window/split_list.h"

namespace velvane {

bool BrowserFollowsSkin(std::string_view skin, std::string_view skinPosition) {
    return !skin.empty() && !skinPosition.empty();
}

std::optional<BrowserBounds> SkinPositionBounds(std::string_view skinPosition) {
    const std::vector<std::string> entries = SplitList(skinPosition, ",");
    std::optional<std::int32_t> values[4];
    for (std::size_t i = 0; i < 4; ++i) {
        if (i < entries.size()) values[i] = ConvertNumber(entries[i]);
        if (!values[i]) return std::nullopt;
    }
    return BrowserBounds{*values[0], *values[1], *values[2], *values[3]};
}

}  // namespace velvane
