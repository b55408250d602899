#!/usr/bin/env bash
# Installs what is missing, builds both targets and runs every test:
#   native unit tests of the platform-free logic (with AddressSanitizer and UBSan), then the
#   Win32 glue tests and end-to-end tests of autostart.exe under Wine in Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)

"$root/scripts/install-deps.sh" all

cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$root/build/native" -j "$jobs"
cmake -S "$root" -B "$root/build/win32" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$root/build/win32" -j "$jobs"

# A fresh Wine prefix for every run: no state carried over from an earlier one.
rm -rf "$root/build/win32/wine"

status=0
(cd "$root/build/native" && ctest --output-on-failure -j "$jobs") || status=1
(cd "$root/build/win32" && ctest --output-on-failure -j "$jobs") || status=1
exit $status
