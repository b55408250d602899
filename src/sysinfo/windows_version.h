#pragma once
// Classification of the running Windows release into one small code. Only codes 9 (XP) and
// 10 (Server 2003) matter to the rest of the program: they get the drop-shadow class style.

#include <cstdint>
#include <string>

namespace velvane {

using WindowsVersionCode = std::uint8_t;

// The numbers a version query returns (OSVERSIONINFOA's fields).
struct OsVersionNumbers {
    std::uint32_t majorVersion = 0;
    std::uint32_t minorVersion = 0;
    std::uint32_t buildNumber = 0;
    std::uint32_t platformId = 0;
    std::string servicePack;  // szCSDVersion
};

WindowsVersionCode ClassifyWindowsVersion(const OsVersionNumbers& version);

// Codes 9 and 10, tested as one unsigned comparison.
inline bool SupportsDropShadow(WindowsVersionCode code) {
    return static_cast<std::uint8_t>(code - 9) < 2;
}

}  // namespace velvane
