# Sourced by the harness scripts: the environment every Wine run of the test session shares.
# Usage: source wine-env.sh STATE_DIR
velvane_state_dir=$(mkdir -p "$1" && cd "$1" && pwd)
export WINEPREFIX="$velvane_state_dir/prefix"
export WINEARCH=win32
export WINEDEBUG=-all
# No HTML engine exists here; disabling mshtml keeps Wine from offering to download one, and the
# WebBrowser control still raises its navigation events.
export WINEDLLOVERRIDES="mshtml=d"
if [ -f "$velvane_state_dir/display" ]; then
    DISPLAY=$(cat "$velvane_state_dir/display")
    export DISPLAY
fi
