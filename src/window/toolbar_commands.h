#pragma once
// The command words of tool buttons, and the browser's history state they consult.

#include <cstdint>
#include <string_view>

namespace velvane {

enum class ToolCommand { None, Exit, Print, GoBack, GoForward, GoHome, Search, Copy };

// The command a button's caption names: the whole caption, letter case significant.
ToolCommand ToolCommandFor(std::string_view caption);

struct HistoryState {
    bool canGoBack = false;
    bool canGoForward = false;
};

// A command-state change of the browser: 1 is forward navigation, 2 back navigation; every
// other command leaves the state alone.
void ApplyCommandStateChange(HistoryState& state, std::int32_t command, bool enabled);

}  // namespace velvane
