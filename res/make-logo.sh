#!/usr/bin/env bash
# Draws the about box's logo strip, res/velvane_logo.bmp: 212 x 50 pixels, 24-bit colour, as the
# box shows it above its panel and alone as the closing splash. Needs ImageMagick.
# Usage: res/make-logo.sh [OUTPUT.bmp]
set -euo pipefail
out=$(realpath -m "${1:-$(dirname "$0")/velvane_logo.bmp}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
W=212
H=50

# Velvet: a warm plum on the left falling to a deep aubergine on the right, a soft glow behind
# the emblem and a faint diagonal sheen.
convert -size ${W}x${H} xc: -sparse-color Bilinear \
    "0,0 #8a2a78 ${W},0 #2b0a40 0,${H} #5e1a5e ${W},${H} #16041f" bg.png
convert -size ${W}x${H} xc:none -fill 'rgba(255,255,255,0.13)' \
    -draw "polygon 120,0 150,0 110,50 80,50" -blur 0x7 sheen.png
convert -size ${W}x${H} xc:none -fill 'rgba(255,140,200,0.35)' -draw "circle 27,25 27,2" \
    -blur 0x9 glow.png
convert bg.png glow.png -compose over -composite sheen.png -compose over -composite back.png

# The emblem: a rounded tile with a V folded from two ribbons.
convert -size 44x44 xc:none \
    -fill 'rgba(0,0,0,0.45)' -draw "roundrectangle 3,4 40,41 9,9" -blur 0x1.6 \
    -fill '#fbe6f2' -draw "roundrectangle 2,2 38,38 9,9" \
    -fill '#6e1a63' -draw "polygon 8,10 16,10 23,31 18,31" \
    -fill '#b8388a' -draw "polygon 32,10 24,10 17,31 22,31" \
    emblem.png
convert back.png emblem.png -geometry +5+4 -compose over -composite with-emblem.png

# The word mark with a soft shadow, a small tag line and a light rule along the bottom edge.
convert with-emblem.png \
    \( -size ${W}x${H} xc:none -font Palatino-Bold -pointsize 27 -fill 'rgba(0,0,0,0.6)' \
       -annotate +56+29 'Velvane' -blur 0x1.3 \) -compose over -composite \
    -font Palatino-Bold -pointsize 27 -fill '#fff3fa' -annotate +55+28 'Velvane' \
    -font DejaVu-Sans -pointsize 8 -fill '#eab9d9' -annotate +57+41 'START MENU FOR YOUR MEDIA' \
    -fill 'rgba(255,190,225,0.5)' -draw "line 0,49 211,49" \
    logo.png

# BMP3 with no alpha: a plain 24-bit bitmap that every Windows release loads.
convert logo.png -alpha off -type TrueColor "BMP3:$out"
