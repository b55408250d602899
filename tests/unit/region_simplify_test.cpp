// Skin shapes with more rectangles than a window region may have, made coarser until they fit.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "skin/opaque_runs.h"
#include "skin/region_simplify.h"

namespace velvane {
namespace {

// Pictures as rows of text: '#' opaque, '.' transparent.
struct Picture {
    std::vector<std::uint32_t> pixels;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

Picture Draw(const std::vector<std::string>& rows) {
    Picture p;
    p.height = static_cast<std::int32_t>(rows.size());
    p.width = static_cast<std::int32_t>(rows.front().size());
    for (const std::string& row : rows) {
        for (char c : row) p.pixels.push_back(c == '#' ? 1 : 0);
    }
    return p;
}

std::vector<PixelRect> Bands(const Picture& p) {
    const PixelView view{p.pixels.data(), p.width, p.height, p.width};
    return OpaqueBands(view, {0, 0, p.width, p.height}, 0, 0xFFFFFFFF);
}

std::vector<std::string> Paint(const std::vector<PixelRect>& rects, std::int32_t width,
                               std::int32_t height) {
    std::vector<std::string> rows(height, std::string(width, '.'));
    for (const PixelRect& r : rects) {
        for (std::int32_t y = r.top; y < r.bottom; ++y) {
            for (std::int32_t x = r.left; x < r.right; ++x) rows[y][x] = '#';
        }
    }
    return rows;
}

struct SimplifyCase {
    const char* name;
    std::vector<std::string> picture;
    std::size_t maxRects;
    std::vector<std::string> expected;
};

TEST(SimplifyBandsTest, FillsAsLittleAsTheCountNeeds) {
    const SimplifyCase cases[] = {
        {"a shape that fits stays",
         {"#####",
          "#.#.#",
          "#####"},
         5,
         {"#####",
          "#.#.#",
          "#####"}},
        {"the smaller hole is filled first",
         {"########",
          "#.##...#",
          "#.##...#",
          "########"},
         4,
         {"########",
          "####...#",
          "####...#",
          "########"}},
        {"of holes of one size the upper goes first",
         {"###",
          "#.#",
          "###",
          "#.#",
          "###"},
         4,
         {"###",
          "###",
          "###",
          "#.#",
          "###"}},
        {"notches at the edge stay while holes can go",
         {"#.#####",
          "#.#.#.#",
          "#.#####"},
         5,
         {"#.#####",
          "#.#####",
          "#.#####"}},
        {"a hole touching a corner only is still a hole",
         {"###.",
          "#.##",
          "####"},
         3,
         {"###.",
          "####",
          "####"}},
        {"then the narrowest notches within a band",
         {"#.#..#",
          "#.#..#",
          "######"},
         3,
         {"###..#",
          "###..#",
          "######"}},
        {"one rectangle per band at most, then bands join",
         {"#...",
          ".#..",
          "..#.",
          "...#"},
         2,
         {"##..",
          "##..",
          "..##",
          "..##"}},
        {"a checkerboard keeps only its ragged edges",
         {"#.#.#.",
          ".#.#.#",
          "#.#.#.",
          ".#.#.#"},
         4,
         {"#####.",
          ".#####",
          "#####.",
          ".#####"}},
    };
    for (const SimplifyCase& c : cases) {
        const Picture picture = Draw(c.picture);
        const std::vector<PixelRect> simpler = SimplifyBands(Bands(picture), c.maxRects);
        EXPECT_LE(simpler.size(), c.maxRects) << c.name;
        EXPECT_EQ(Paint(simpler, picture.width, picture.height), c.expected) << c.name;
        // The result is banded like its input: the region data can be built from it directly.
        EXPECT_EQ(Bands(Draw(Paint(simpler, picture.width, picture.height))), simpler) << c.name;
    }
}

TEST(SimplifyBandsTest, NeverCutsAwayAnOpaquePixel) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        const std::int32_t width = 1 + static_cast<std::int32_t>(random() % 40);
        const std::int32_t height = 1 + static_cast<std::int32_t>(random() % 40);
        Picture p{std::vector<std::uint32_t>(width * height), width, height};
        for (std::uint32_t& pixel : p.pixels) pixel = random() % 3 != 0;
        const std::vector<PixelRect> bands = Bands(p);
        const std::size_t maxRects = 1 + random() % (bands.size() + 2);
        const std::vector<PixelRect> simpler = SimplifyBands(bands, maxRects);
        ASSERT_LE(simpler.size(), std::max<std::size_t>(maxRects, 1)) << "round " << round;
        const std::vector<std::string> before = Paint(bands, width, height);
        const std::vector<std::string> after = Paint(simpler, width, height);
        for (std::int32_t y = 0; y < height; ++y) {
            for (std::int32_t x = 0; x < width; ++x) {
                ASSERT_TRUE(before[y][x] == '.' || after[y][x] == '#') << "round " << round;
            }
        }
    }
}

}  // namespace
}  // namespace velvane
