#pragma once
// The host's platform-free Guid and the system's GUID share one layout; these convert between
// them bytewise.

#include <windows.h>

#include <cstring>

#include "browserhost/web_host_rules.h"

namespace velvane {

static_assert(sizeof(Guid) == sizeof(GUID));

inline Guid ToGuid(const GUID& guid) {
    Guid result;
    std::memcpy(&result, &guid, sizeof result);
    return result;
}

inline GUID ToSystemGuid(const Guid& guid) {
    GUID result;
    std::memcpy(&result, &guid, sizeof result);
    return result;
}

}  // namespace velvane
