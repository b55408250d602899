#include "sysinfo/windows_version_win.h"

#include <windows.h>

namespace velvane {

WindowsVersionCode GetWindowsVersionCode() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;  // 148: the ANSI record without the Ex fields
    static_assert(sizeof(OSVERSIONINFOA) == 148);
    // Deliberately GetVersionExA: the release as the compatibility layer reports it is the one
    // whose window features the program may rely on.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&info)) return 0;
#pragma GCC diagnostic pop
    OsVersionNumbers numbers{info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber,
                             info.dwPlatformId, info.szCSDVersion};
    return ClassifyWindowsVersion(numbers);
}

}  // namespace velvane
