#include "splash/about_box_layout.h"

#include <algorithm>
#include <cstddef>

namespace velvane::about_box {
namespace {

// A fixed-width label keeps its width unless its text (one line, or one unbreakable word) is
// wider; a label sized to its text is as wide as the text.
Bounds PlaceOnLine(const LabelDesign& design, const TextExtent& text, int top,
                   const Bounds* leftNeighbour) {
    const int width = design.width > 0 ? std::max(design.width, text.width) : text.width;
    int left = design.alignsRight ? design.left + design.width - width : design.left;
    if (leftNeighbour)
        left = std::max(left, leftNeighbour->right + kLabelGap);
    return {left, top, left + width, top + text.height};
}

}  // namespace

std::vector<Bounds> LayOutLabels(std::span<const LabelDesign> designs,
                                 std::span<const TextExtent> texts) {
    std::vector<Bounds> placed;
    placed.reserve(designs.size());
    int lineBottom = 0;     // the lowest edge of the line before the current one
    int currentBottom = 0;  // the lowest edge of the current line so far
    int lineTop = 0;
    for (std::size_t i = 0; i < designs.size() && i < texts.size(); ++i) {
        const LabelDesign& design = designs[i];
        const bool sameLine = i > 0 && design.top == designs[i - 1].top;
        if (!sameLine) {
            lineBottom = std::max(lineBottom, currentBottom);
            lineTop = std::max(design.top, lineBottom);
        }
        placed.push_back(PlaceOnLine(design, texts[i], lineTop, sameLine ? &placed.back() : nullptr));
        currentBottom = std::max(currentBottom, placed.back().bottom);
    }
    return placed;
}

int TopBelowLabels(int designedTop, std::span<const Bounds> labels, int gap) {
    int lowest = 0;
    for (const Bounds& label : labels)
        lowest = std::max(lowest, label.bottom);
    return std::max(designedTop, lowest + gap);
}

}  // namespace velvane::about_box
