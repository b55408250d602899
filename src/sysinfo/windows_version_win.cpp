#include "sysinfo/windows_version_win.h"

#include <windows.h>

#include <optional>

namespace velvane {

namespace {

std::optional<OsVersionNumbers> QueryVersionNumbers() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;  // 148: the ANSI record without the Ex fields
    static_assert(sizeof(OSVERSIONINFOA) == 148);
    // Deliberately GetVersionExA: the release as the compatibility layer reports it is the one
    // whose window features the program may rely on.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&info)) return std::nullopt;
#pragma GCC diagnostic pop
    return OsVersionNumbers{info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber,
                            info.dwPlatformId, info.szCSDVersion};
}

}  // namespace

WindowsVersionCode GetWindowsVersionCode() {
    std::optional<OsVersionNumbers> numbers = QueryVersionNumbers();
    return numbers ? ClassifyWindowsVersion(*numbers) : 0;
}

FileNameCalls FileNameCallsFor(bool ansiHoldsName) {
    // The platform cannot change while the program runs. A failed query counts as NT: the
    // UTF-16 calls are then at worst stubs that report the file missing.
    static const std::uint32_t platformId = [] {
        std::optional<OsVersionNumbers> numbers = QueryVersionNumbers();
        return numbers ? numbers->platformId : std::uint32_t{VER_PLATFORM_WIN32_NT};
    }();
    return ChooseFileNameCalls(platformId, ansiHoldsName);
}

}  // namespace velvane
