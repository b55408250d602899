#!/usr/bin/env bash
# Draws the skinned disc's bitmaps with ImageMagick: the 400 x 300 skin and the 32 x 32 toolbar
# buttons, all as uncompressed 24-bit BMP files (BMP3), which every Windows release reads.
#
# Magenta (#FF00FF) is the transparent colour: the skin's bottom-left pixel and the buttons'
# bottom-left pixels are magenta, and every magenta pixel is cut away. Shapes that touch magenta
# are drawn without antialiasing (+antialias), so that no half-magenta fringe pixels appear
# around the window's outline or the buttons' glyphs; decorations inside the skin may blend.
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

magenta='#FF00FF'

# The outline: a toolbar band at the top (the tool bar covers it) and a panel with round
# corners below it.
convert -size 400x300 xc:black +antialias -fill white \
    -draw 'roundrectangle 0,0 399,52 12,12' \
    -draw 'roundrectangle 0,30 399,299 40,40' \
    "$work/mask.png"
convert -size 400x300 gradient:'#2F6A9E'-'#0F2238' "$work/gradient.png"
convert -size 400x300 xc:"$magenta" "$work/gradient.png" "$work/mask.png" -composite \
    "$work/panel.png"

# Decorations inside the panel, then the holes (crisp, pure magenta).
convert "$work/panel.png" \
    +antialias -fill '#14263C' -draw 'roundrectangle 0,0 399,46 12,12' -antialias \
    -stroke '#9CC4E8' -strokewidth 2 -fill '#0B1726' -draw 'roundrectangle 20,58 379,268 8,8' \
    -stroke none -fill '#9CC4E8' -font DejaVu-Sans-Bold -pointsize 13 \
    -gravity south -annotate +0+11 'V E L V A N E' -gravity northwest \
    -stroke '#6E9CC6' -strokewidth 2 -fill none \
    -draw 'circle 44,283 44,274' -draw 'circle 70,283 70,277' -draw 'circle 91,283 91,279' \
    -draw 'circle 356,283 356,274' -draw 'circle 330,283 330,277' -draw 'circle 309,283 309,279' \
    +antialias -stroke none -fill "$magenta" \
    -draw 'circle 44,283 44,277' -draw 'circle 70,283 70,279' -draw 'circle 91,283 91,281' \
    -draw 'circle 356,283 356,277' -draw 'circle 330,283 330,279' -draw 'circle 309,283 309,281' \
    -type TrueColor BMP3:skin.bmp

# Toolbar buttons: a light glyph with a dark outline on magenta.
button() {
    local name=$1
    shift
    convert -size 32x32 xc:"$magenta" +antialias -stroke '#0B1726' -strokewidth 2 \
        -fill '#E8F1FA' "$@" -type TrueColor BMP3:"buttons/$name.bmp"
}
button goback -draw 'polygon 4,16 15,5 15,11 27,11 27,21 15,21 15,27'
button goforward -draw 'polygon 28,16 17,5 17,11 5,11 5,21 17,21 17,27'
button gohome -draw 'polygon 16,4 29,16 25,16 25,28 7,28 7,16 3,16' \
    -fill '#0B1726' -draw 'rectangle 14,19 18,28'
button exit -strokewidth 1 -draw 'polygon 6,10 10,6 16,12 22,6 26,10 20,16 26,22 22,26 16,20 10,26 6,22 12,16'
