#!/usr/bin/env bash
# Installs what is missing, builds both targets and runs every test:
#   native unit tests of the platform-free logic (with AddressSanitizer and UBSan), then the
#   Win32 glue tests and end-to-end tests of autostart.exe under Wine in Xvfb, then a short
#   run of every fuzz target (scripts/fuzz.sh runs them longer).
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

build() {  # build FOLDER TARGETS CMAKE-ARGS...   (TARGETS: "all" or a list of targets)
    local folder=$1 targets=$2
    shift 2
    cmake -S "$root" -B "$root/build/$folder" "$@" >/dev/null
    if [ "$targets" = all ]; then
        cmake --build "$root/build/$folder" -j "$jobs"
    else
        cmake --build "$root/build/$folder" -j "$jobs" --target $targets
    fi
}
build native all -DCMAKE_BUILD_TYPE=Debug
# The shipped programs are configured as scripts/release.sh configures them.
source "$root/scripts/shipped-build.sh"
if [ "$wine_arch" = win64 ]; then
    # The shipped programs must link for 32-bit Windows here too; their tests run from the
    # 64-bit build.
    build win32 "$shipped_targets" "${shipped_cmake_args[@]}"
    build win64 all -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake"
else
    build win32 all "${shipped_cmake_args[@]}"
fi

# A fresh Wine prefix for every run: no state carried over from an earlier one.
rm -rf "$root/build/$wine_build/wine/prefix"

status=0
(cd "$root/build/native" && ctest --output-on-failure -j "$jobs") || status=1
(cd "$root/build/$wine_build" && ctest --output-on-failure -j "$jobs") || status=1
if [ "$wine_build" != win32 ]; then
    # The checks that read the shipped exe's file without running it (its imports), on the
    # 32-bit build itself.
    (cd "$root/build/win32" && ctest -R '^exe\.' --output-on-failure) || status=1
fi
"$root/scripts/fuzz.sh" 20 || status=1
exit $status
