#include "sysinfo/windows_version.h"

#include <string_view>

namespace velvane {
namespace {

constexpr std::uint32_t kPlatformWindows = 1;  // 95, 98, Me
constexpr std::uint32_t kPlatformNt = 2;
constexpr std::uint32_t kWindowsMeBuild = 0x045A0BB8;  // 4.90, build 3000

// The service letter: the second character of the service-pack text (the first is a blank on
// these systems), trimmed of blanks and control characters; empty when there is none.
bool ServiceLetterIs(const std::string& servicePack, char letter) {
    if (servicePack.size() < 2) return false;
    unsigned char c = static_cast<unsigned char>(servicePack[1]);
    if (c <= ' ') return false;
    return c == static_cast<unsigned char>(letter);
}

WindowsVersionCode ClassifyWindows9x(const OsVersionNumbers& v) {
    switch (v.minorVersion) {
        case 0:
            return ServiceLetterIs(v.servicePack, 'B') ? 2 : 1;
        case 10:
            return ServiceLetterIs(v.servicePack, 'A') ? 4 : 3;
        case 90:
            return v.buildNumber == kWindowsMeBuild ? 5 : 0;
        default:
            return 0;
    }
}

WindowsVersionCode ClassifyWindowsNt(const OsVersionNumbers& v) {
    switch (v.majorVersion) {
        case 3:
            return 6;
        case 4:
            return 7;
        case 5:
            if (v.minorVersion <= 2) return static_cast<WindowsVersionCode>(8 + v.minorVersion);
            return 0;
        default:
            return 0;  // Vista and later are not recognised
    }
}

}  // namespace

WindowsVersionCode ClassifyWindowsVersion(const OsVersionNumbers& version) {
    if (version.platformId == kPlatformWindows) return ClassifyWindows9x(version);
    if (version.platformId == kPlatformNt) return ClassifyWindowsNt(version);
    return 0;
}

FileNameCalls ChooseFileNameCalls(std::uint32_t platformId, bool ansiHoldsName) {
    if (ansiHoldsName) return FileNameCalls::Ansi;
    return platformId == kPlatformNt ? FileNameCalls::Wide : FileNameCalls::None;
}

}  // namespace velvane
