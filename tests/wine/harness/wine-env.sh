# Sourced by the harness scripts: the environment every Wine run of the test session shares.
# Usage: source wine-env.sh STATE_DIR
# The Wine architecture is the one the build folder was configured for (STATE_DIR/arch, written
# by CMake): win32 runs the shipped 32-bit build, win64 runs the 64-bit build of the same tree
# on machines whose Linux runs no 32-bit programs.
velvane_state_dir=$(mkdir -p "$1" && cd "$1" && pwd)
export WINEPREFIX="$velvane_state_dir/prefix"
export WINEARCH=$(cat "$velvane_state_dir/arch" 2>/dev/null || echo win32)
export WINEDEBUG=-all
# No HTML engine and no .NET runtime exist here; disabling mshtml and mscoree keeps Wine from
# offering to install either (also while the prefix is made), and the WebBrowser control still
# raises its navigation events.
export WINEDLLOVERRIDES="mscoree=d;mshtml=d"
if [ "$WINEARCH" = win64 ]; then
    # Debian's wine and wine-stable wrappers (wineboot and the other tools call the latter) pick
    # the 32-bit loader whenever it is installed, even where it cannot start. Wrappers of our own
    # first on PATH call the 64-bit loader.
    export WINELOADER=/usr/lib/wine/wine64
    velvane_bin="$velvane_state_dir/bin"
    if [ ! -x "$velvane_bin/wine-stable" ]; then
        mkdir -p "$velvane_bin"
        printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$velvane_bin/wine.new"
        chmod +x "$velvane_bin/wine.new"
        mv -f "$velvane_bin/wine.new" "$velvane_bin/wine"
        ln -sf wine "$velvane_bin/wine-stable"
    fi
    case ":$PATH:" in
        *":$velvane_bin:"*) ;;
        *) export PATH="$velvane_bin:$PATH" ;;
    esac
fi
if [ -f "$velvane_state_dir/display" ]; then
    DISPLAY=$(cat "$velvane_state_dir/display")
    export DISPLAY
fi
