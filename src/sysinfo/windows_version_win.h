#pragma once

#include "sysinfo/windows_version.h"

namespace velvane {

// Asks the system on every call; a failed query gives 0.
WindowsVersionCode GetWindowsVersionCode();

// ChooseFileNameCalls for this system, whose platform is asked once.
FileNameCalls FileNameCallsFor(bool ansiHoldsName);

}  // namespace velvane
