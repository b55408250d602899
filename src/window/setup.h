#pragma once
// Decisions of the main window's setup that need no platform.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velvane {

// The file a requirement entry names: the program folder followed by the entry, with ".dll"
// added when the entry has no extension (no "." after its last "\" or ":").
std::string RequirementLibraryPath(std::string_view programFolder, std::string_view entry);

enum class FrameKind { Sizeable, Dialog, None };

// The frame the border style asks for. Words are compared exactly: "Dialog" is no dialog.
FrameKind FrameForBorderStyle(std::string_view borderStyle);

// The window position setting: "center" exactly, or "x,y" split at the first ",". Each
// coordinate is present only when it converts under the number rules; the caller sets the left
// edge before it looks at the top edge, as the order of the setting suggests.
struct WindowPositionRequest {
    bool center = false;
    bool hasComma = false;
    std::optional<std::int32_t> left;
    std::optional<std::int32_t> top;
};

WindowPositionRequest ParseWindowPosition(std::string_view text);

// A skinned window places the browser by the skin position setting when both are given; any
// other window lets the browser fill its client area.
bool BrowserFollowsSkin(std::string_view skin, std::string_view skinPosition);

// The skin position's left, top, width and height: its first four entries under the number
// rules, each absent when the entry is missing or no number (then the browser cannot be placed).
std::array<std::optional<std::int32_t>, 4> SkinPositionValues(std::string_view skinPosition);

// Where a window of the given size sits centred on a screen of the given size (integer
// division, rounding toward zero: a window larger than the screen gets negative coordinates).
struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
};
Point CentredOrigin(std::int32_t screenWidth, std::int32_t screenHeight, std::int32_t width,
                    std::int32_t height);

// Tool buttons are 7 pixels wider and 6 pixels taller than their images.
struct Size {
    std::int32_t width = 0;
    std::int32_t height = 0;
};
Size ToolButtonSizeFor(Size image);

// The bitmap of a tool button: program folder + button folder + command word + ".bmp".
std::string ToolbarBitmapPath(std::string_view programFolder, std::string_view buttonDir,
                              std::string_view entry);

// The flag word for the intro music: file name, asynchronous, silent when unplayable, nothing
// when the driver is busy; looped on request.
std::uint32_t IntroMusicFlags(bool loop);
constexpr std::uint32_t kStopMusicFlags = 0x0001;  // asynchronous, no sound: stops what plays

// One tick of the fade-in: the next alpha value, and whether the fade is done.
struct FadeStep {
    std::uint8_t alpha = 0;
    bool finished = false;
};
FadeStep NextFadeStep(std::uint8_t alpha);

}  // namespace velvane
