// The Windows version probe against the releases Wine can pretend to be.

#include <gtest/gtest.h>

#include "sysinfo/windows_version_win.h"

namespace velvane {
namespace {

TEST(WindowsVersionProbe, Placeholder) { EXPECT_LE(GetWindowsVersionCode(), 10); }

}  // namespace
}  // namespace velvane
