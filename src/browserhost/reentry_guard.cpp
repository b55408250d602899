#include "browserhost/reentry_guard.h"

namespace velvane {

bool ReentryGuard::Leave() noexcept {
    if (calls_ == 0) return false;
    --calls_;
    return Released();
}

void ReentryGuard::ModalUIStarted(ModalSource source) noexcept {
    ++modalUI_[static_cast<std::size_t>(source)];
}

bool ReentryGuard::ModalUIEnded(ModalSource source) noexcept {
    int& count = modalUI_[static_cast<std::size_t>(source)];
    if (count == 0) return false;
    --count;
    return Released();
}

bool ReentryGuard::Held() const noexcept {
    return calls_ > 0 || modalUI_[0] > 0 || modalUI_[1] > 0;
}

bool ReentryGuard::MayRunNow() noexcept {
    if (!Held()) return true;
    workWaits_ = true;
    return false;
}

bool ReentryGuard::Released() noexcept {
    if (Held() || !workWaits_) return false;
    workWaits_ = false;
    return true;
}

}  // namespace velvane
