#include "window/toolbar_commands.h"

#include <array>
#include <utility>

namespace velvane {
namespace {

constexpr std::array<std::pair<std::string_view, ToolCommand>, 7> kCommandWords{{
    {"exit", ToolCommand::Exit},
    {"print", ToolCommand::Print},
    {"goback", ToolCommand::GoBack},
    {"goforward", ToolCommand::GoForward},
    {"gohome", ToolCommand::GoHome},
    {"search", ToolCommand::Search},
    {"copy", ToolCommand::Copy},
}};

constexpr std::int32_t kNavigateForward = 1;
constexpr std::int32_t kNavigateBack = 2;

}  // namespace

ToolCommand ToolCommandFor(std::string_view caption) {
    for (const auto& [word, command] : kCommandWords) {
        if (caption == word) return command;
    }
    return ToolCommand::None;
}

void ApplyCommandStateChange(HistoryState& state, std::int32_t command, bool enabled) {
    if (command == kNavigateForward) state.canGoForward = enabled;
    if (command == kNavigateBack) state.canGoBack = enabled;
}

}  // namespace velvane
