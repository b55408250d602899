#include "window/new_window.h"

#include <algorithm>

namespace velvane {

std::uint32_t NewWindowRequests::NewWindow2() {
    if (namesAddresses_) return 0;
    waiting_.push_back(next_);
    return next_++;
}

void NewWindowRequests::NewWindow3() {
    namesAddresses_ = true;
    waiting_.clear();
}

bool NewWindowRequests::CaughtNavigation(std::uint32_t n) {
    auto found = std::find(waiting_.begin(), waiting_.end(), n);
    if (found == waiting_.end()) return false;
    waiting_.erase(found);
    return true;
}

bool NewWindowRequests::Waiting(std::uint32_t n) const {
    return std::find(waiting_.begin(), waiting_.end(), n) != waiting_.end();
}

}  // namespace velvane
