#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws the program's icon (two targets under a water jet, as in the intro picture) as SVG and
# renders the usual PNG sizes from it. Needs rsvg-convert (librsvg2-bin).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
out="$here/icons"
mkdir -p "$out"

cat > "$out/zorvat.svg" <<'SVG'
<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">
  <rect x="8" y="8" width="240" height="240" rx="40" fill="#151515"/>
  <rect x="8" y="206" width="240" height="12" fill="#d8262b"/>
  <path d="M 40,206 Q 70,60 100,96" fill="none" stroke="#f4f4f4" stroke-width="7"
        stroke-linecap="round" stroke-dasharray="0.1 16"/>
  <path d="M 40,206 Q 120,30 176,96" fill="none" stroke="#f4f4f4" stroke-width="7"
        stroke-linecap="round" stroke-dasharray="0.1 16"/>
  <g>
    <circle cx="100" cy="112" r="34" fill="#d8262b"/>
    <circle cx="100" cy="112" r="23" fill="#f4f4f4"/>
    <circle cx="100" cy="112" r="13" fill="#d8262b"/>
  </g>
  <g>
    <circle cx="184" cy="112" r="34" fill="#d8262b"/>
    <circle cx="184" cy="112" r="23" fill="#f4f4f4"/>
    <circle cx="184" cy="112" r="13" fill="#d8262b"/>
  </g>
  <path d="M 30,218 L 50,196 L 58,204 L 40,218 Z" fill="#d8262b"/>
</svg>
SVG

for size in 16 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" "$out/zorvat.svg" -o "$out/zorvat-$size.png"
done
