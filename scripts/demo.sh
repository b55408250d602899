#!/usr/bin/env bash
# Builds autostart.exe and runs it on the example disc (examples/disc) under Wine; with the
# argument "skinned", on its skinned variant (examples/disc/skinned laid over it).
# On $DISPLAY when one is set (close the window to end); otherwise in a private Xvfb display,
# leaving a screenshot whose path is printed.
set -euo pipefail
variant=${1:-plain}
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/win32"
demo="$root/build/demo"
harness="$root/tests/wine/harness"

"$root/scripts/install-deps.sh" all
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$build" -j "$(nproc)" --target autostart screencheck velvane-driver

# The disc as an author burns it: the example folder with autostart.exe in its root.
rm -rf "$demo/disc"
mkdir -p "$demo"
cp -r "$root/examples/disc" "$demo/disc"
rm -rf "$demo/disc/skinned"
if [ "$variant" = skinned ]; then
    cp -r "$root/examples/disc/skinned/." "$demo/disc/"
    rm -f "$demo/disc/make-bitmaps.sh"
fi
cp "$build/bin/autostart.exe" "$demo/disc/"
mkdir -p "$demo/disc/checks"
cp "$build/bin/screencheck.dll" "$demo/disc/checks/"

state="$demo/wine"
own_display=0
if [ -z "${DISPLAY:-}" ]; then
    own_display=1
    "$harness/session.sh" start "$state" >/dev/null
    trap '"$harness/session.sh" stop "$state"' EXIT
else
    "$harness/prefix.sh" "$state"
fi
source "$harness/wine-env.sh" "$state"

cat <<NOTE
Running $demo/disc/autostart.exe under Wine.
Note: Wine on this machine has no HTML engine, so the page area of the window stays blank.
On Windows the start page (examples/disc/index.html) appears inside the window.
NOTE

cd "$demo/disc"
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
