#!/usr/bin/env bash
# Creates the session's private Wine prefix once; later calls return at once.
# Usage: prefix.sh STATE_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh" "$1"

ready="$WINEPREFIX/.velvane-ready"
[ -f "$ready" ] && exit 0

exec 9>"$velvane_state_dir/prefix.lock"
flock -w 300 9
[ -f "$ready" ] && exit 0

# A loader that cannot start would otherwise show up much later as a bare exit status.
if ! version=$(wine --version 2>&1 </dev/null); then
    echo "Wine ($WINEARCH) cannot start here: $(echo "$version" | head -n 1)" >&2
    echo "Run scripts/test.sh, which picks the build this machine can run." >&2
    exit 1
fi

rm -rf "$WINEPREFIX"
if ! timeout 180 wineboot -i </dev/null >"$velvane_state_dir/wineboot.log" 2>&1; then
    echo "Wine could not make its prefix $WINEPREFIX; wineboot said:" >&2
    tail -n 5 "$velvane_state_dir/wineboot.log" >&2
    exit 1
fi
# Without a window manager, Wine waits 2 s for every managed window to go away; unmanaged
# windows close at once. No sound device: the audio driver stays quiet.
timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
timeout 60 wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d "" /f </dev/null >/dev/null 2>&1
timeout 60 wineserver -w
touch "$ready"
