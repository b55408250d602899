#!/usr/bin/env bash
# Starts and stops what the Wine tests of one CTest run share: the prefix and an Xvfb display.
# Usage: session.sh start|stop STATE_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
action=$1
state=$2

start() {
    "$here/prefix.sh" "$state"
    # A server started before the display existed (test discovery runs first) would keep a
    # desktop without a display: start the session with none running.
    source "$here/wine-env.sh" "$state"
    timeout 30 wineserver -k 2>/dev/null || true
    timeout 30 wineserver -w 2>/dev/null || true
    local n=91
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    setsid Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    echo $! >"$state/xvfb.pid"
    for _ in $(seq 100); do
        [ -S "/tmp/.X11-unix/X$n" ] && break
        sleep 0.1
    done
    [ -S "/tmp/.X11-unix/X$n" ] || { echo "Xvfb did not start on :$n" >&2; exit 1; }
    echo ":$n" >"$state/display"
    echo "Wine prefix $state/prefix, display :$n"
}

stop() {
    source "$here/wine-env.sh" "$state"
    timeout 30 wineserver -k 2>/dev/null || true
    if [ -f "$state/xvfb.pid" ]; then
        kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
        rm -f "$state/xvfb.pid"
    fi
    rm -f "$state/display"
}

case "$action" in
    start) start ;;
    stop) stop ;;
    *) echo "usage: session.sh start|stop STATE_DIR" >&2; exit 2 ;;
esac
