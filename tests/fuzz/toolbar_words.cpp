// Tool button captions, the browser's command-state changes and the button size.
//
// Input: eight bytes for a command-state change and an image size, the rest a caption. A
// caption names a command exactly when it is one of the seven words, letter case and all.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "window/toolbar.h"
#include "window/toolbar_commands.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 9) return 0;
    std::int32_t numbers[2];
    std::memcpy(numbers, data, 8);
    const bool enabled = data[8] & 1;
    const std::string_view caption(reinterpret_cast<const char*>(data + 9), size - 9);

    using velvane::ToolCommand;
    static constexpr std::string_view kWords[] = {"exit",      "print",  "goback", "goforward",
                                                  "gohome",    "search", "copy"};
    static constexpr ToolCommand kCommands[] = {ToolCommand::Exit,      ToolCommand::Print,
                                                ToolCommand::GoBack,    ToolCommand::GoForward,
                                                ToolCommand::GoHome,    ToolCommand::Search,
                                                ToolCommand::Copy};
    ToolCommand expected = ToolCommand::None;
    for (std::size_t i = 0; i < 7; ++i) {
        if (caption == kWords[i]) expected = kCommands[i];
    }
    FUZZ_CHECK(velvane::ToolCommandFor(caption) == expected);

    velvane::HistoryState state{data[8] & 2 ? true : false, data[8] & 4 ? true : false};
    const velvane::HistoryState before = state;
    velvane::ApplyCommandStateChange(state, numbers[0], enabled);
    FUZZ_CHECK(state.canGoForward == (numbers[0] == 1 ? enabled : before.canGoForward));
    FUZZ_CHECK(state.canGoBack == (numbers[0] == 2 ? enabled : before.canGoBack));

    // Seven wider and six taller, as far as 32 bits reach.
    const velvane::Size button = velvane::ToolButtonSizeFor({numbers[0], numbers[1]});
    FUZZ_CHECK(button.width == std::min<std::int64_t>(std::int64_t{numbers[0]} + 7, INT32_MAX));
    FUZZ_CHECK(button.height == std::min<std::int64_t>(std::int64_t{numbers[1]} + 6, INT32_MAX));
    return 0;
}
