#!/usr/bin/env bash
# Installs what is missing, builds both targets and runs every test:
#   native unit tests of the platform-free logic (with AddressSanitizer and UBSan), then the
#   Win32 glue tests and end-to-end tests of autostart.exe under Wine in Xvfb.
# The Wine tests run the 32-bit build where this machine runs 32-bit programs, and the 64-bit
# build of the same tree where it does not (VELVANE_WINE_ARCH=win32|win64 forces either).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)

"$root/scripts/install-deps.sh" all
source "$root/scripts/wine-arch.sh"
[ "$wine_arch" = win64 ] && "$root/scripts/install-deps.sh" win64
if [ "$wine_arch" = win64 ]; then
    echo "Wine tests: the 64-bit build (build/win64) under 64-bit Wine, $wine_reason;" \
         "the shipped 32-bit autostart.exe is built in build/win32 all the same."
else
    echo "Wine tests: the 32-bit build (build/win32) under 32-bit Wine, $wine_reason."
fi

build() {  # build FOLDER [CMAKE ARGS...]
    local folder=$1
    shift
    cmake -S "$root" -B "$root/build/$folder" "$@" >/dev/null
    cmake --build "$root/build/$folder" -j "$jobs"
}
build native -DCMAKE_BUILD_TYPE=Debug
build win32 -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake"
if [ "$wine_arch" = win64 ]; then
    build win64 -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake"
fi

# A fresh Wine prefix for every run: no state carried over from an earlier one.
rm -rf "$root/build/$wine_build/wine/prefix"

status=0
(cd "$root/build/native" && ctest --output-on-failure -j "$jobs") || status=1
(cd "$root/build/$wine_build" && ctest --output-on-failure -j "$jobs") || status=1
exit $status
