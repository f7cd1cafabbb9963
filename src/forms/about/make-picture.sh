#!/usr/bin/env bash
# Draws the About window's picture, a folded newspaper page, as a 120 x 150
# baseline JPEG. Run it from anywhere; it rewrites newspaper.jpg beside it.
set -euo pipefail
cd "$(dirname "$0")"

# Three columns of text lines: thin grey bars, a short one ending each paragraph.
text_lines() {
    local x0=$1 x1=$2 y0=$3 y1=$4 y
    for ((y = y0; y <= y1; y += 4)); do
        if (((y - y0) % 28 == 24)); then
            echo "rectangle $x0,$y $((x0 + (x1 - x0) / 2)),$((y + 1))"
        else
            echo "rectangle $x0,$y $x1,$((y + 1))"
        fi
    done
}

draw=$(
    echo "fill '#1c1c1c'"
    echo "rectangle 8,8 111,27"                         # masthead
    echo "fill '#f4f1e6'"
    for x in 14 26 38 50 62 74 86 98; do                # masthead lettering blocks
        echo "rectangle $x,13 $((x + 7)),22"
    done
    echo "fill '#1c1c1c'"
    echo "rectangle 8,31 111,31"                        # rules under the masthead
    echo "rectangle 8,34 111,34"
    echo "rectangle 8,39 104,44"                        # headline
    echo "rectangle 8,47 80,50"                         # sub-headline
    echo "fill '#7a8ea8'"
    echo "rectangle 8,55 69,94"                         # photograph: sky
    echo "fill '#4f6b45'"
    echo "polygon 8,94 24,76 38,86 52,70 69,84 69,94"   # photograph: hills
    echo "fill '#e9c46a'"
    echo "circle 58,64 58,68"                           # photograph: sun
    echo "fill '#8a8a8a'"
    text_lines 74 111 56 94
    text_lines 8 38 99 141
    text_lines 43 73 99 141
    text_lines 78 111 99 141
    echo "fill '#1c1c1c'"
    echo "rectangle 40,99 40,141"                       # column rules
    echo "rectangle 75,99 75,141"
)

/usr/bin/convert -size 120x150 xc:'#f4f1e6' \
    -fill none -stroke '#c9c3b3' -draw "rectangle 2,2 117,147" -stroke none \
    -draw "$draw" \
    -strip -colorspace sRGB -type TrueColor -interlace none -sampling-factor 2x2 -quality 92 \
    "jpeg:newspaper.jpg"
