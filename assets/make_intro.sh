#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Regenerates intro.jpg, the picture at the top of the main window, from drawing commands only.
set -eu

here=$(dirname "$0")
font=/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf
im=convert
if command -v magick >/dev/null 2>&1; then
    im=magick
fi

red='#d8262b'
white='#f4f4f4'
grey='#b4b4b4'
black='#151515'

# Two targets "L" and "P": a red disc with a white ring and a red centre.
target() {
    x=$1
    y=$2
    echo "fill $red circle $x,$y $((x + 25)),$y"
    echo "fill $white circle $x,$y $((x + 17)),$y"
    echo "fill $red circle $x,$y $((x + 10)),$y"
}

# A nozzle on the hose line (the red stripe) sprays one dotted jet at each target.
"$im" -size 435x136 "xc:$black" \
    -draw "fill none stroke $white stroke-width 2.5 stroke-linecap round stroke-dasharray 0.1 6
           path 'M 262,112 Q 292,20 333,48' path 'M 262,112 Q 340,4 398,48'" \
    -draw "$(target 338 52)" \
    -draw "$(target 403 52)" \
    -fill "$red" -draw "rectangle 0,124 435,127" -draw "polygon 246,126 256,126 266,113 259,110" \
    -font "$font" -fill "$white" \
    -pointsize 16 -draw "text 333,98 'L'" -draw "text 398,98 'P'" \
    -pointsize 62 -draw "text 16,72 'Zorvat'" \
    -fill "$grey" -pointsize 16 -draw "text 19,100 'Časomíra pro požární sport'" \
    -strip -sampling-factor 4:2:0 -quality 88 "$here/intro.jpg"
