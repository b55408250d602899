#include "win32/connection_point_win.h"

#include <utility>

#include "win32/com_error_win.h"

namespace velvane {

AdviseScope::AdviseScope(IUnknown* source, REFIID events, IUnknown* sink) {
    ComPtr<IConnectionPointContainer> container;
    OleCheck(source->QueryInterface(__uuidof(IConnectionPointContainer), container.put_void()));
    ComPtr<IConnectionPoint> point;
    OleCheck(container->FindConnectionPoint(events, point.put()));
    OleCheck(point->Advise(sink, &cookie_));
    point_ = std::move(point);
}

AdviseScope::AdviseScope(AdviseScope&& other) noexcept
    : point_(std::move(other.point_)), cookie_(std::exchange(other.cookie_, 0)) {}

AdviseScope& AdviseScope::operator=(AdviseScope&& other) noexcept {
    if (this != &other) {
        reset();
        point_ = std::move(other.point_);
        cookie_ = std::exchange(other.cookie_, 0);
    }
    return *this;
}

void AdviseScope::reset() {
    if (point_)
        point_->Unadvise(cookie_);
    point_.reset();
    cookie_ = 0;
}

}  // namespace velvane
