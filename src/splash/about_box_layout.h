#pragma once
// Where the about box's labels go. The box is designed for one font at one size; the font that
// is really there (another face standing in for it, another renderer) may draw the same texts
// wider or taller. Each label keeps its designed place where its text fits; where it does not, it
// takes the room its measured text needs, and the labels after it move aside instead of being
// overlapped.

#include <span>
#include <vector>

namespace velvane::about_box {

struct LabelDesign {
    int left;
    int top;
    int width;         // 0: as wide as its text
    bool wraps;        // breaks its text into lines at `width`
    bool alignsRight;  // keeps its right edge (left + width) when its text is wider
};

// The measured text: one line, or for a wrapping label the lines it breaks into at its width
// (a single word longer than the width makes it wider).
struct TextExtent {
    int width;
    int height;
};

struct Bounds {
    int left;
    int top;
    int right;
    int bottom;
};

// Space kept between two labels on one line when the first has grown into the second's place.
inline constexpr int kLabelGap = 4;

// Lays the labels out in their design's order. Labels with the same designed top share a line;
// a line starts at its designed top or below the tallest label of the line before, whichever is
// lower.
std::vector<Bounds> LayOutLabels(std::span<const LabelDesign> designs,
                                 std::span<const TextExtent> texts);

// The top of a control designed at `designedTop` below labels laid out as `labels`: its designed
// place, or `gap` below the lowest label when the labels have grown down to it.
int TopBelowLabels(int designedTop, std::span<const Bounds> labels, int gap);

}  // namespace velvane::about_box
