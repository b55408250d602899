// Opaque pixels to banded rectangles, and the balanced merge that turns the rectangles into one
// region.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "skin/opaque_runs.h"
#include "skin/pairwise_merge.h"

namespace velvane {
namespace {

constexpr std::uint32_t kMagenta = 0x00FF00FF;
constexpr std::uint32_t kBlue = 0x000000FF;
constexpr std::uint32_t kRgbMask = 0x00FFFFFF;

// A picture drawn in characters: '#' is blue, anything else magenta (transparent).
struct Picture {
    std::vector<std::uint32_t> pixels;
    std::int32_t width = 0;
    std::int32_t height = 0;

    explicit Picture(const std::vector<std::string>& rows)
        : width(rows.empty() ? 0 : static_cast<std::int32_t>(rows[0].size())),
          height(static_cast<std::int32_t>(rows.size())) {
        for (const std::string& row : rows) {
            for (char c : row) pixels.push_back(c == '#' ? kBlue : kMagenta);
        }
    }
    PixelView View() const { return {pixels.data(), width, height, width}; }
    PixelRect Whole() const { return {0, 0, width, height}; }
};

struct BandCase {
    const char* name;
    std::vector<std::string> rows;
    std::vector<PixelRect> expected;
};

TEST(OpaqueBandsTest, CutsPicturesIntoBandedRectangles) {
    const BandCase cases[] = {
        {"all transparent", {"....", "...."}, {}},
        {"all opaque", {"####", "####", "####"}, {{0, 0, 4, 3}}},
        {"single pixel", {"....", "..#.", "...."}, {{2, 1, 3, 2}}},
        {"single pixel at the corners",
         {"#..#", "....", "#..#"},
         {{0, 0, 1, 1}, {3, 0, 4, 1}, {0, 2, 1, 3}, {3, 2, 4, 3}}},
        {"full rows around an empty row", {"###", "...", "###"}, {{0, 0, 3, 1}, {0, 2, 3, 3}}},
        {"hole in the middle",
         {"###", "#.#", "###"},
         {{0, 0, 3, 1}, {0, 1, 1, 2}, {2, 1, 3, 2}, {0, 2, 3, 3}}},
        {"identical rows merge", {"#..#", "#..#", "#..#"}, {{0, 0, 1, 3}, {3, 0, 4, 3}}},
        {"equal rows apart do not merge",
         {"#.", "##", "#."},
         {{0, 0, 1, 1}, {0, 1, 2, 2}, {0, 2, 1, 3}}},
        {"one row", {"##.##.#"}, {{0, 0, 2, 1}, {3, 0, 5, 1}, {6, 0, 7, 1}}},
        {"one column", {"#", "#", ".", "#"}, {{0, 0, 1, 2}, {0, 3, 1, 4}}},
    };
    for (const BandCase& c : cases) {
        Picture picture(c.rows);
        EXPECT_EQ(OpaqueBands(picture.View(), picture.Whole(), kMagenta, kRgbMask), c.expected)
            << c.name;
    }
}

TEST(OpaqueBandsTest, ScansOnlyTheAreaInsideThePicture) {
    Picture picture({"####", "####", "####"});
    struct AreaCase {
        const char* name;
        PixelRect area;
        std::vector<PixelRect> expected;
    } cases[] = {
        {"inner area", {1, 1, 3, 2}, {{1, 1, 3, 2}}},
        {"area beyond the picture is clipped", {-5, -5, 50, 2}, {{0, 0, 4, 2}}},
        {"area outside the picture", {10, 10, 20, 20}, {}},
        {"empty area", {2, 2, 2, 3}, {}},
    };
    for (const AreaCase& c : cases) {
        EXPECT_EQ(OpaqueBands(picture.View(), c.area, kMagenta, kRgbMask), c.expected) << c.name;
    }
}

TEST(OpaqueBandsTest, ComparesColoursExactlyUnderTheMask) {
    // Pixels: transparent with a stray alpha byte, one blue step off magenta, true magenta.
    const std::uint32_t pixels[] = {0xAAFF00FF, 0x00FF00FE, kMagenta};
    PixelView view{pixels, 3, 1, 3};
    EXPECT_EQ(OpaqueBands(view, {0, 0, 3, 1}, kMagenta, kRgbMask),
              (std::vector<PixelRect>{{1, 0, 2, 1}}));
    EXPECT_EQ(OpaqueBands(view, {0, 0, 3, 1}, kMagenta, 0xFFFFFFFF),
              (std::vector<PixelRect>{{0, 0, 2, 1}}));
    // Bits outside the mask of the transparent colour itself must not matter either.
    EXPECT_EQ(OpaqueBands(view, {0, 0, 3, 1}, 0x55FF00FF, kRgbMask),
              (std::vector<PixelRect>{{1, 0, 2, 1}}));
}

TEST(OpaqueBandsTest, IgnoresRowPadding) {
    // Two 2-pixel rows stored 3 pixels apart; the padding pixel is opaque and must be skipped.
    const std::uint32_t pixels[] = {kBlue, kMagenta, kBlue, kBlue, kMagenta, kBlue};
    PixelView view{pixels, 2, 2, 3};
    EXPECT_EQ(OpaqueBands(view, {0, 0, 2, 2}, kMagenta, kRgbMask),
              (std::vector<PixelRect>{{0, 0, 1, 2}}));
}

// Counts how often each pixel is covered by the rectangles.
std::vector<int> Coverage(const std::vector<PixelRect>& rects, std::int32_t w, std::int32_t h) {
    std::vector<int> count(static_cast<std::size_t>(w * h), 0);
    for (const PixelRect& r : rects) {
        for (std::int32_t y = r.top; y < r.bottom; ++y) {
            for (std::int32_t x = r.left; x < r.right; ++x) ++count[y * w + x];
        }
    }
    return count;
}

TEST(OpaqueBandsTest, RandomPicturesAreCoveredExactlyOnceInBandOrder) {
    std::mt19937 random(12345);
    for (int trial = 0; trial < 40; ++trial) {
        const std::int32_t w = 1 + static_cast<std::int32_t>(random() % 37);
        const std::int32_t h = 1 + static_cast<std::int32_t>(random() % 23);
        // Few distinct rows, so that bands of several rows occur.
        std::vector<std::string> distinct;
        for (int i = 0; i < 3; ++i) {
            std::string row;
            for (std::int32_t x = 0; x < w; ++x) row += (random() % 3 == 0) ? '.' : '#';
            distinct.push_back(row);
        }
        std::vector<std::string> rows;
        for (std::int32_t y = 0; y < h; ++y) rows.push_back(distinct[random() % 3]);
        Picture picture(rows);

        std::vector<PixelRect> rects =
            OpaqueBands(picture.View(), picture.Whole(), kMagenta, kRgbMask);
        std::vector<int> coverage = Coverage(rects, w, h);
        for (std::int32_t i = 0; i < w * h; ++i) {
            ASSERT_EQ(coverage[i], picture.pixels[i] == kBlue ? 1 : 0)
                << "trial " << trial << " pixel " << i % w << "," << i / w;
        }
        for (std::size_t i = 1; i < rects.size(); ++i) {
            const PixelRect& a = rects[i - 1];
            const PixelRect& b = rects[i];
            const bool sameBand = a.top == b.top && a.bottom == b.bottom && a.right < b.left;
            ASSERT_TRUE(sameBand || b.top >= a.bottom) << "trial " << trial << " rect " << i;
        }
        // Read in strips of a few rows, appended one below the other: the same bands.
        for (std::int32_t stripRows : {1, 2, 5}) {
            std::vector<PixelRect> strips;
            for (std::int32_t top = 0; top < h; top += stripRows) {
                const PixelRect strip{0, top, w, std::min(h, top + stripRows)};
                AppendBands(strips, OpaqueBands(picture.View(), strip, kMagenta, kRgbMask));
            }
            ASSERT_EQ(strips, rects) << "trial " << trial << ", strips of " << stripRows;
        }
    }
}

// The leaves joined by each merge, to check both the result and the shape of the tree.
struct MergeLog {
    std::vector<std::pair<std::size_t, std::size_t>> sizes;
};

auto ConcatenatingMerge(MergeLog& log) {
    return [&log](std::string&& a, std::string&& b) {
        log.sizes.emplace_back(a.size(), b.size());
        return a + b;
    };
}

TEST(PairwiseMergerTest, MergesEveryLeafInOrderWithBalancedMerges) {
    for (std::size_t leaves : {0u, 1u, 2u, 3u, 7u, 8u, 9u, 100u, 1000u}) {
        MergeLog log;
        PairwiseMerger<std::string, decltype(ConcatenatingMerge(log))> merger(
            ConcatenatingMerge(log));
        std::string expected;
        for (std::size_t i = 0; i < leaves; ++i) {
            char leaf = static_cast<char>('a' + i % 26);
            expected += leaf;
            merger.Add(std::string(1, leaf));
        }
        std::optional<std::string> merged = merger.Finish();
        ASSERT_EQ(merged.has_value(), leaves > 0) << leaves;
        if (!merged)
            continue;
        EXPECT_EQ(*merged, expected) << leaves;
        EXPECT_EQ(log.sizes.size(), leaves - 1) << leaves;
        // No leaf is copied more than about log2(n) + 1 times: the sum of merged sizes stays
        // near n log n instead of n squared.
        std::size_t work = 0;
        for (auto [a, b] : log.sizes) work += a + b;
        std::size_t depth = 1;
        while ((std::size_t{1} << depth) < leaves) ++depth;
        EXPECT_LE(work, leaves * (depth + 1)) << leaves;
    }
}

}  // namespace
}  // namespace velvane
