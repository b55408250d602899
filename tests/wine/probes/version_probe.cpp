// Exits with the Windows version code the program's probe reports, so that a test can run it
// under each release Wine pretends to be.

#include "sysinfo/windows_version_win.h"

int main() {
    return velvane::GetWindowsVersionCode();
}
