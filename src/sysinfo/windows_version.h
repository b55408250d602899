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

// How a file name reaches its file. The ANSI calls serve every name the ANSI code page holds. The
// UTF-16 calls serve any other on NT; 95, 98 and Me have them in the kernel and the shell only as
// stubs that fail: there such a name reaches no file.
enum class FileNameCalls { Ansi, Wide, None };
FileNameCalls ChooseFileNameCalls(std::uint32_t platformId, bool ansiHoldsName);

}  // namespace velvane
