#include "skin/region_simplify.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>

namespace velvane {
namespace {

struct Run {
    std::int32_t left;
    std::int32_t right;
};

// Rows top to bottom that share their runs; runs[first, first + count) of the owning Bands.
struct Band {
    std::int32_t top;
    std::int32_t bottom;
    std::size_t first;
    std::size_t count;
};

// The gaps between the runs of a band are numbered across all bands: band b's gap j (between its
// runs j and j + 1) is number first - b + j, since every band before it has one gap fewer than
// runs.
struct Bands {
    std::vector<Band> bands;
    std::vector<Run> runs;

    std::size_t GapCount() const { return runs.size() - bands.size(); }
    std::size_t FirstGap(std::size_t b) const { return bands[b].first - b; }
    bool TouchesNext(std::size_t b) const {
        return b + 1 < bands.size() && bands[b].bottom == bands[b + 1].top;
    }
};

Bands ToBands(const std::vector<PixelRect>& rects) {
    Bands out;
    out.runs.reserve(rects.size());
    for (const PixelRect& r : rects) {
        if (out.bands.empty() || out.bands.back().top != r.top ||
            out.bands.back().bottom != r.bottom) {
            out.bands.push_back({r.top, r.bottom, out.runs.size(), 0});
        }
        out.runs.push_back({r.left, r.right});
        ++out.bands.back().count;
    }
    return out;
}

// The rectangles of `in` with every gap g for which closed(g) holds filled, touching bands that
// come out equal joined into one, as a region stores them.
template <typename Closed>
void Materialise(const Bands& in, Closed closed, std::vector<PixelRect>& out) {
    out.clear();
    std::size_t previous = 0;  // where the last band written starts in `out`
    for (std::size_t b = 0; b < in.bands.size(); ++b) {
        const Band& band = in.bands[b];
        const std::size_t start = out.size();
        for (std::size_t i = 0; i < band.count; ++i) {
            const Run& run = in.runs[band.first + i];
            if (i > 0 && closed(in.FirstGap(b) + i - 1)) {
                out.back().right = run.right;
            } else {
                out.push_back({run.left, band.top, run.right, band.bottom});
            }
        }
        const bool joins =
            start > 0 && out[previous].bottom == band.top && out.size() - start == start - previous &&
            std::equal(out.begin() + start, out.end(), out.begin() + previous,
                       [](const PixelRect& a, const PixelRect& p) {
                           return a.left == p.left && a.right == p.right;
                       });
        if (joins) {
            for (std::size_t k = previous; k < start; ++k) out[k].bottom = band.bottom;
            out.resize(start);
        } else {
            previous = start;
        }
    }
}

// The smallest value in [0, count] for which fits(value) holds, given that it holds for every
// larger value once it holds for one; count when it holds for none.
template <typename Fits>
std::size_t SmallestFitting(std::size_t count, Fits fits) {
    std::size_t low = 0;
    std::size_t high = count;
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (fits(middle)) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    return low;
}

class DisjointSets {
public:
    explicit DisjointSets(std::size_t count) : parent_(count) {
        for (std::size_t i = 0; i < count; ++i) parent_[i] = i;
    }
    std::size_t Find(std::size_t i) {
        while (parent_[i] != i) {
            parent_[i] = parent_[parent_[i]];
            i = parent_[i];
        }
        return i;
    }
    void Unite(std::size_t a, std::size_t b) { parent_[Find(a)] = Find(b); }

private:
    std::vector<std::size_t> parent_;
};

// A transparent stretch of one band: outside its first run, between two runs, or after its last.
struct Segment {
    std::int64_t left;
    std::int64_t right;
    std::size_t set;
};

Segment SegmentOf(const Bands& in, std::size_t b, std::size_t k, std::size_t outside) {
    const Band& band = in.bands[b];
    constexpr std::int64_t kFar = std::numeric_limits<std::int64_t>::max();
    if (k == 0) return {-kFar, in.runs[band.first].left, outside};
    if (k == band.count) return {in.runs[band.first + k - 1].right, kFar, outside};
    return {in.runs[band.first + k - 1].right, in.runs[band.first + k].left,
            in.FirstGap(b) + k - 1};
}

// The holes of a shape, smallest first: for every gap, the rank of the hole it belongs to
// (holes of one size in the order they start, top to bottom), or kNotAHole for gaps that reach
// the edge of the picture. Gaps of touching bands that overlap belong to one hole (pixels that
// share an edge are connected). A band's gaps reach the edge when a row above or below it has no
// opaque pixel at all, or lies outside the picture.
constexpr std::uint32_t kNotAHole = std::numeric_limits<std::uint32_t>::max();

std::vector<std::uint32_t> HoleRanks(const Bands& in, std::size_t& holeCount) {
    const std::size_t gaps = in.GapCount();
    const std::size_t outside = gaps;
    DisjointSets sets(gaps + 1);
    for (std::size_t b = 0; b < in.bands.size(); ++b) {
        const bool open = b == 0 || !in.TouchesNext(b - 1) || !in.TouchesNext(b);
        for (std::size_t g = 0; open && g + 1 < in.bands[b].count; ++g) {
            sets.Unite(in.FirstGap(b) + g, outside);
        }
        if (!in.TouchesNext(b)) continue;
        // Walk the transparent segments of this band and the next side by side.
        std::size_t i = 0;
        std::size_t j = 0;
        while (i <= in.bands[b].count && j <= in.bands[b + 1].count) {
            const Segment upper = SegmentOf(in, b, i, outside);
            const Segment lower = SegmentOf(in, b + 1, j, outside);
            if (std::max(upper.left, lower.left) < std::min(upper.right, lower.right)) {
                sets.Unite(upper.set, lower.set);
            }
            if (upper.right <= lower.right) ++i;
            if (lower.right <= upper.right) ++j;
        }
    }

    // Areas by hole; holes listed in the order of their first gap.
    std::vector<std::int64_t> area(gaps + 1, 0);
    std::vector<std::uint32_t> holes;
    const std::size_t edge = sets.Find(outside);
    for (std::size_t b = 0; b < in.bands.size(); ++b) {
        const Band& band = in.bands[b];
        const std::int64_t height = std::int64_t{band.bottom} - band.top;
        for (std::size_t g = 0; g + 1 < band.count; ++g) {
            const std::size_t set = sets.Find(in.FirstGap(b) + g);
            if (set == edge) continue;
            if (area[set] == 0) holes.push_back(static_cast<std::uint32_t>(set));
            area[set] +=
                (std::int64_t{in.runs[band.first + g + 1].left} - in.runs[band.first + g].right) *
                height;
        }
    }
    std::stable_sort(holes.begin(), holes.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return area[a] < area[b]; });
    std::vector<std::uint32_t> rankOfSet(gaps + 1, kNotAHole);
    for (std::size_t r = 0; r < holes.size(); ++r) rankOfSet[holes[r]] = static_cast<std::uint32_t>(r);
    holeCount = holes.size();
    std::vector<std::uint32_t> ranks(gaps);
    for (std::size_t g = 0; g < gaps; ++g) ranks[g] = rankOfSet[sets.Find(g)];
    return ranks;
}

// Stage 1: the fewest holes filled, the smallest first. Touching bands that come out equal have
// their gaps in the same places, and those belong to the same holes: filling more holes never
// parts them again, so the count only falls as more holes are filled.
std::vector<PixelRect> FillHoles(const Bands& in, std::size_t maxRects) {
    std::size_t holeCount = 0;
    const std::vector<std::uint32_t> ranks = HoleRanks(in, holeCount);
    std::vector<PixelRect> out;
    auto fillSmallest = [&](std::size_t k) {
        Materialise(in, [&](std::size_t g) { return ranks[g] < k; }, out);
    };
    const std::size_t filled = SmallestFitting(holeCount, [&](std::size_t k) {
        fillSmallest(k);
        return out.size() <= maxRects;
    });
    fillSmallest(filled);
    return out;
}

// Every gap up to the smallest width that makes the count fit. Gaps of one width go together:
// touching bands that come out equal must stay so as more is filled.
std::vector<PixelRect> FillUpToFittingWidth(const Bands& in, const std::vector<std::int64_t>& widths,
                                            std::size_t maxRects) {
    std::vector<std::int64_t> steps = widths;
    std::sort(steps.begin(), steps.end());
    steps.erase(std::unique(steps.begin(), steps.end()), steps.end());
    std::vector<PixelRect> out;
    // t = 0 fills nothing; t fills every gap up to steps[t - 1].
    auto fillUpTo = [&](std::size_t t) {
        Materialise(in, [&](std::size_t g) { return t > 0 && widths[g] <= steps[t - 1]; }, out);
    };
    const std::size_t t = SmallestFitting(steps.size(), [&](std::size_t k) {
        fillUpTo(k);
        return out.size() <= maxRects;
    });
    fillUpTo(t);
    return out;
}

// Stage 2: the narrowest gaps of every band, whether they reach the edge or not.
std::vector<PixelRect> FillNotches(const Bands& in, std::size_t maxRects) {
    std::vector<std::int64_t> widths(in.GapCount());
    for (std::size_t b = 0; b < in.bands.size(); ++b) {
        const Band& band = in.bands[b];
        for (std::size_t g = 0; g + 1 < band.count; ++g) {
            widths[in.FirstGap(b) + g] =
                std::int64_t{in.runs[band.first + g + 1].left} - in.runs[band.first + g].right;
        }
    }
    return FillUpToFittingWidth(in, widths, maxRects);
}

// Stage 3: one rectangle per band left; neighbouring bands joined in groups.
std::vector<PixelRect> JoinBands(const std::vector<PixelRect>& rects, std::size_t maxRects) {
    const std::size_t group = (rects.size() + maxRects - 1) / maxRects;
    std::vector<PixelRect> joinedBands;
    for (std::size_t first = 0; first < rects.size(); first += group) {
        PixelRect joined = rects[first];
        const std::size_t end = std::min(rects.size(), first + group);
        for (std::size_t i = first + 1; i < end; ++i) {
            joined.left = std::min(joined.left, rects[i].left);
            joined.right = std::max(joined.right, rects[i].right);
            joined.bottom = rects[i].bottom;
        }
        joinedBands.push_back(joined);
    }
    // Groups that came out equal and touch are one band.
    std::vector<PixelRect> out;
    Materialise(ToBands(joinedBands), [](std::size_t) { return false; }, out);
    return out;
}

}  // namespace

std::vector<PixelRect> SimplifyBands(std::vector<PixelRect> rects, std::size_t maxRects) {
    maxRects = std::max<std::size_t>(maxRects, 1);
    if (rects.size() <= maxRects) return rects;
    rects = FillHoles(ToBands(rects), maxRects);
    if (rects.size() <= maxRects) return rects;
    rects = FillNotches(ToBands(rects), maxRects);
    if (rects.size() <= maxRects) return rects;
    return JoinBands(rects, maxRects);
}

}  // namespace velvane
