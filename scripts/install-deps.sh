#!/usr/bin/env bash
# Installs what building and testing need on Debian 12; does nothing when all of it is there.
# Usage: scripts/install-deps.sh [native|all]   (native: the Linux build only)
set -euo pipefail

want=${1:-all}
native=(cmake make g++ googletest libgtest-dev)
windows=(g++-mingw-w64-i686 wine wine32:i386 wine64 xvfb xauth imagemagick xdotool)

packages=("${native[@]}")
[ "$want" = all ] && packages+=("${windows[@]}")

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
echo "Installing: ${missing[*]}"
# wine32 is a package of the i386 architecture.
if [ "$want" = all ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
