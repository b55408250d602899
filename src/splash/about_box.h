#pragma once
// The about box's decisions that need no platform.

#include <cstdint>

namespace velvane {

// Ticks of the ShutdownTimer the closing splash stays up for (500 ms each).
inline constexpr std::int32_t kClosingTicks = 3;

struct ClosingTick {
    std::int32_t closeTicks = 0;  // the main window's count after this tick
    bool closeConfirmed = false;  // the main window may now really close
};

// One tick of the ShutdownTimer: the count goes up by one, and from the third tick on the close
// is confirmed. The count stops at its largest value instead of wrapping round.
ClosingTick NextClosingTick(std::int32_t closeTicks);

}  // namespace velvane
