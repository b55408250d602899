#pragma once
// Merging many small pieces into one in a balanced tree, as a binary counter does: the k-th slot
// holds the merge of 2^k leaves, and adding a leaf carries upwards like adding one to a binary
// number. Every merge joins two pieces of about the same size, so the total work grows as
// n log n, where merging each leaf into one growing result would grow as n squared. (Window
// regions are the case in point: uniting a large region with a tiny one copies the large one.)

#include <optional>
#include <utility>
#include <vector>

namespace velvane {

// Merge(T&& a, T&& b) returns the merge of a and b, a holding the earlier leaves.
template <typename T, typename Merge>
class PairwiseMerger {
public:
    explicit PairwiseMerger(Merge merge) : merge_(std::move(merge)) {}

    void Add(T leaf) {
        std::optional<T> carry(std::move(leaf));
        for (std::optional<T>& slot : slots_) {
            if (!slot) {
                slot = std::move(carry);
                return;
            }
            carry = merge_(std::move(*slot), std::move(*carry));
            slot.reset();
        }
        slots_.push_back(std::move(carry));
    }

    // The merge of every leaf added, or nothing when none was.
    std::optional<T> Finish() {
        std::optional<T> result;
        // Lower slots hold later leaves and fewer of them: fold upwards, so that each merge
        // joins the next larger piece, and keep the earlier leaves first.
        for (std::optional<T>& slot : slots_) {
            if (!slot)
                continue;
            if (result) {
                result = merge_(std::move(*slot), std::move(*result));
            } else {
                result = std::move(slot);
            }
        }
        slots_.clear();
        return result;
    }

private:
    Merge merge_;
    std::vector<std::optional<T>> slots_;
};

}  // namespace velvane
