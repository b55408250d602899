#!/usr/bin/env bash
# Installs what building and testing need on Debian 12; does nothing when all of it is there.
# Usage: scripts/install-deps.sh [native|all|win64|release]
#   native: the Linux build only; all: also the 32-bit Windows build and Wine;
#   win64: also the 64-bit Windows build, for machines that run no 32-bit programs;
#   release: what scripts/release.sh needs: the 32-bit Windows build and zip, no Wine.
set -euo pipefail

want=${1:-all}
native=(cmake make g++ googletest libgtest-dev)
windows=(g++-mingw-w64-i686-win32 wine wine32:i386 wine64 xvfb xauth imagemagick xdotool)

packages=("${native[@]}")
case "$want" in
    native) ;;
    all) packages+=("${windows[@]}") ;;
    win64) packages+=("${windows[@]}" g++-mingw-w64-x86-64-win32) ;;
    release) packages=(cmake make g++-mingw-w64-i686-win32 zip) ;;
    *) echo "usage: install-deps.sh [native|all|win64|release]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
        echo "Missing packages: ${missing[*]}. Installing them needs root, and sudo is not here." >&2
        exit 1
    fi
    sudo=sudo
fi
if ! command -v apt-get >/dev/null; then
    echo "Missing packages: ${missing[*]}. This script installs them on Debian 12 with" \
         "apt-get, which this machine does not have." >&2
    exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# wine32 is a package of the i386 architecture. (It installs even where 32-bit programs cannot
# run; the scripts then use the 64-bit Wine.)
if [ "$want" != native ] && [ "$want" != release ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
fi
log=$(mktemp)
if ! { $sudo apt-get update -qq && $sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"; } >"$log" 2>&1; then
    echo "Could not install ${missing[*]} with apt-get; its last words:" >&2
    tail -n 5 "$log" >&2
    rm -f "$log"
    exit 1
fi
rm -f "$log"
