#include "splash/about_box.h"

#include <limits>

namespace velvane {

ClosingTick NextClosingTick(std::int32_t closeTicks) {
    const std::int32_t next =
        closeTicks == std::numeric_limits<std::int32_t>::max() ? closeTicks : closeTicks + 1;
    return {next, next >= kClosingTicks};
}

}  // namespace velvane
