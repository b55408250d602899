#!/usr/bin/env bash
# Builds autostart.exe and runs it on the example disc (examples/disc) under Wine; with the
# argument "skinned", on its skinned variant (examples/disc/skinned laid over it).
# On $DISPLAY when one is set (close the window to end); otherwise in a private Xvfb display,
# leaving a screenshot whose path is printed.
# Where this machine runs no 32-bit programs, the demo runs the 64-bit build of the same tree
# under 64-bit Wine (VELVANE_WINE_ARCH=win32|win64 forces either); the disc folder it leaves for
# Windows always holds the shipped 32-bit autostart.exe.
set -euo pipefail
variant=${1:-plain}
root=$(cd "$(dirname "$0")/.." && pwd)
demo="$root/build/demo"
harness="$root/tests/wine/harness"

"$root/scripts/install-deps.sh" all
source "$root/scripts/wine-arch.sh"
[ "$wine_arch" = win64 ] && "$root/scripts/install-deps.sh" win64

build() {  # build FOLDER TOOLCHAIN
    cmake -S "$root" -B "$root/build/$1" -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$2.cmake" >/dev/null
    cmake --build "$root/build/$1" -j "$(nproc)" --target autostart screencheck velvane-driver
}
build win32 mingw-i686
[ "$wine_arch" = win64 ] && build win64 mingw-x86_64
build="$root/build/$wine_build"

# The disc as an author burns it, for Windows: the shipped 32-bit program. The Wine run below
# uses the build this machine can run, on a disc of its own.
source "$root/scripts/example-disc.sh"
lay_out_example_disc "$demo/disc" "$variant" "$root/build/win32"
run_disc="$demo/disc"
if [ "$wine_arch" = win64 ]; then
    run_disc="$demo/disc-win64"
    lay_out_example_disc "$run_disc" "$variant" "$build"
fi

state="$demo/wine-$wine_arch"
mkdir -p "$state"
echo "$wine_arch" >"$state/arch"
own_display=0
if [ -z "${DISPLAY:-}" ]; then
    own_display=1
    "$harness/session.sh" start "$state" >/dev/null
    trap '"$harness/session.sh" stop "$state"' EXIT
else
    "$harness/prefix.sh" "$state"
fi
source "$harness/wine-env.sh" "$state"

if [ "$wine_arch" = win64 ]; then
    echo "Running the 64-bit build of autostart.exe under 64-bit Wine: $wine_reason."
fi
cat <<NOTE
Running $run_disc/autostart.exe under Wine.
Note: Wine on this machine has no HTML engine, so the page area of the window stays blank.
On Windows the start page (examples/disc/index.html) appears inside the window.
The disc for Windows, with the 32-bit autostart.exe: $demo/disc
NOTE

cd "$run_disc"
if [ "$own_display" = 0 ]; then
    wine autostart.exe
    exit 0
fi

wine autostart.exe &
program=$!
if ! timeout 60 wine "$build/bin/velvane-driver.exe" wait TBrowserWindow 30000; then
    echo "The start menu's window did not appear; what is on the screen:"
    wine "$build/bin/velvane-driver.exe" list || true
fi
sleep 1.5  # let the fade-in finish
screenshot="$demo/screenshot-$variant.png"
import -display "$DISPLAY" -window root "$screenshot"
wine "$build/bin/velvane-driver.exe" close TBrowserWindow || true
timeout 30 tail --pid="$program" -f /dev/null || kill "$program" 2>/dev/null || true
echo "Screenshot: $screenshot"
