#pragma once
// AdviseScope: one connection of an event sink to an object's connection point, cut again
// (Unadvise) when the scope ends.

#include <windows.h>
#include <ocidl.h>

#include "win32/com_ptr_win.h"

namespace velvane {

class AdviseScope {
public:
    AdviseScope() = default;
    // Connects `sink` to `source`'s connection point for `events`; throws OleError on failure.
    AdviseScope(IUnknown* source, REFIID events, IUnknown* sink);
    ~AdviseScope() { reset(); }

    AdviseScope(AdviseScope&& other) noexcept;
    AdviseScope& operator=(AdviseScope&& other) noexcept;
    AdviseScope(const AdviseScope&) = delete;
    AdviseScope& operator=(const AdviseScope&) = delete;

    explicit operator bool() const { return static_cast<bool>(point_); }
    void reset();

private:
    ComPtr<IConnectionPoint> point_;
    DWORD cookie_ = 0;
};

}  // namespace velvane
