#!/usr/bin/env bash
# Benchmarks, not tests: start-up time and peak private memory of autostart.exe on the example
# disc (plain and skinned, fade-in off) against a trivial Win32 program built the same way, the
# exe's size, and the skin region figures. Under Wine, with the benchmark itself as the resident
# GUI process, in a private prefix and Xvfb display.
#   scripts/bench.sh [ROUNDS]   (default 15 interleaved rounds)
set -euo pipefail
rounds=${1:-15}
root=$(cd "$(dirname "$0")/.." && pwd)
bench="$root/build/bench"
harness="$root/tests/wine/harness"

"$root/scripts/install-deps.sh" all
source "$root/scripts/wine-arch.sh"
[ "$wine_arch" = win64 ] && "$root/scripts/install-deps.sh" win64
build="$root/build/$wine_build"
toolchain=mingw-i686
[ "$wine_arch" = win64 ] && toolchain=mingw-x86_64
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain.cmake" >/dev/null
cmake --build "$build" -j "$(nproc)" \
      --target autostart screencheck trivial_window startup_bench region_bench >/dev/null
if [ "$wine_arch" = win64 ]; then
    cmake -S "$root" -B "$root/build/win32" -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
    cmake --build "$root/build/win32" -j "$(nproc)" --target autostart >/dev/null
fi

# The discs: the example disc and its skinned variant, with the fade-in off.
source "$root/scripts/example-disc.sh"
lay_out_example_disc "$bench/plain" plain "$build"
lay_out_example_disc "$bench/skinned" skinned "$build"
sed -i 's/^fadein=.*/fadein=0/I' "$bench/plain/autorun.inf" "$bench/skinned/autorun.inf"
rm -rf "$bench/trivial"
mkdir -p "$bench/trivial"
cp "$build/bin/trivial_window.exe" "$bench/trivial/"

state="$bench/wine-$wine_arch"
mkdir -p "$state"
echo "$wine_arch" >"$state/arch"
"$harness/session.sh" start "$state" >/dev/null
trap '"$harness/session.sh" stop "$state"' EXIT
source "$harness/wine-env.sh" "$state"

windows_path() { echo "Z:$1" | tr / '\\'; }

echo "Start-up under Wine ($wine_arch build), median of $rounds interleaved rounds," \
     "from process creation to the first visible window:"
wine "$(windows_path "$build/bin/startup_bench.exe")" "$rounds" \
    "trivial=$(windows_path "$bench/trivial/trivial_window.exe")" \
    "plain=$(windows_path "$bench/plain/autostart.exe")" \
    "skinned=$(windows_path "$bench/skinned/autostart.exe")"
echo "Shipped 32-bit autostart.exe: $(( $(stat -c %s "$root/build/win32/bin/autostart.exe") / 1024 )) KB"
echo
echo "Skin regions:"
wine "$(windows_path "$build/bin/region_bench.exe")"
