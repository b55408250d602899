# Sourced by the harness scripts: the environment every Wine run of the test session shares.
# Usage: source wine-env.sh STATE_DIR
velvane_state_dir=$(mkdir -p "$1" && cd "$1" && pwd)
export WINEPREFIX="$velvane_state_dir/prefix"
export WINEARCH=win32
export WINEDEBUG=-all
# No HTML engine and no .NET runtime exist here; disabling mshtml and mscoree keeps Wine from
# offering to install either (also while the prefix is made), and the WebBrowser control still
# raises its navigation events.
export WINEDLLOVERRIDES="mscoree=d;mshtml=d"
if [ -f "$velvane_state_dir/display" ]; then
    DISPLAY=$(cat "$velvane_state_dir/display")
    export DISPLAY
fi
