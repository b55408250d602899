#pragma once
// Decisions of the main window's setup from the launch settings: its frame, its size and its
// place on the screen.

#include <cstdint>
#include <optional>
#include <string_view>

#include "window/geometry.h"

namespace velvane {

enum class FrameKind { Sizeable, Dialog, None };

// The frame the border style asks for. Words are compared exactly: "Dialog" is no dialog.
FrameKind FrameForBorderStyle(std::string_view borderStyle);

// What the size step does before the window is placed. Full screen maximises a window without
// skin and leaves a skinned one where it was designed: neither is placed. Any other window
// without skin takes the configured height, then width; then every such window is placed.
struct WindowSizing {
    bool maximise = false;
    bool resize = false;
    bool place = false;
};
WindowSizing SizingFor(bool fullScreen, std::string_view skin);

// The window position setting: "center" exactly, or "x,y" split at the first ",". Each
// coordinate is present only when it converts under the number rules.
struct WindowPositionRequest {
    bool center = false;
    std::optional<std::int32_t> left;
    std::optional<std::int32_t> top;
};
WindowPositionRequest ParseWindowPosition(std::string_view text);

// Where the window goes. A centred window moves once, to both edges, centred on the screen
// (integer division rounding toward zero: a window larger than the screen gets negative
// coordinates). Otherwise the left edge is set first, keeping the top, and only then is the top
// looked at: a position whose top does not convert leaves the window moved to its left edge.
// A missing edge means the position is invalid, and start-up stops with its message.
struct WindowPlacement {
    bool centred = false;
    std::optional<std::int32_t> left;
    std::optional<std::int32_t> top;
    bool Valid() const { return left && top; }
};
WindowPlacement PlaceWindow(std::string_view windowPosition, Size screen, Size window);

}  // namespace velvane
