# Sourced by test.sh and demo.sh after the packages are installed: picks the Wine architecture
# this machine can run and sets `wine_arch` (win32 or win64) and `wine_build` (the build folder
# whose programs run under it). VELVANE_WINE_ARCH=win32|win64 forces the choice.
#
# The shipped program is the 32-bit build. Some Linux machines run 64-bit programs only; there
# the 32-bit Wine loader fails with "Exec format error", and the 64-bit build of the same tree
# runs under the 64-bit Wine instead.
wine_loader_starts() {
    "$1" --version >/dev/null 2>&1 </dev/null
}

case "${VELVANE_WINE_ARCH:-}" in
    win32 | win64)
        wine_arch=$VELVANE_WINE_ARCH
        wine_reason="chosen by VELVANE_WINE_ARCH"
        ;;
    "")
        if wine_loader_starts /usr/lib/wine/wine; then
            wine_arch=win32
            wine_reason="this machine runs 32-bit programs"
        elif wine_loader_starts /usr/lib/wine/wine64; then
            wine_arch=win64
            wine_reason="this machine runs no 32-bit programs: the 32-bit Wine loader cannot start"
        else
            echo "Neither Wine loader starts on this machine (/usr/lib/wine/wine nor" \
                 "/usr/lib/wine/wine64), so no Windows program can run here." >&2
            echo "Install wine, wine32:i386 and wine64 (scripts/install-deps.sh does)," \
                 "or run on a machine whose Linux runs Wine." >&2
            exit 1
        fi
        ;;
    *)
        echo "VELVANE_WINE_ARCH must be win32 or win64, not \"$VELVANE_WINE_ARCH\"." >&2
        exit 2
        ;;
esac

if [ "$wine_arch" = win32 ]; then
    wine_build=win32
    wine_loader=/usr/lib/wine/wine
else
    wine_build=win64
    wine_loader=/usr/lib/wine/wine64
fi
if ! wine_loader_starts "$wine_loader"; then
    echo "VELVANE_WINE_ARCH=$wine_arch needs $wine_loader, which cannot start on this machine." >&2
    exit 1
fi
