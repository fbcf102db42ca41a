#!/usr/bin/env bash
# Draws the maker's logo that the About box stamps into its animation:
# res/logo.bmp, 88 x 31, 8 bits per pixel with a palette (BMP3, uncompressed).
# A teal disc with two peaks and the vale between them, and "Brimvale" in
# light grey on a dark field. Needs ImageMagick and fonts-liberation.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
font=/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf
[ -f "$font" ] || { echo "make-logo.sh: $font is missing (fonts-liberation)" >&2; exit 1; }
convert -size 88x31 xc:'#1c2029' \
  -fill none -stroke '#3b4352' -strokewidth 1 -draw 'rectangle 0,0 87,30' \
  -fill '#3f7482' -stroke none -draw 'circle 14.5,15.5 14.5,5.5' \
  -fill none -stroke '#eef1f4' -strokewidth 1.5 -draw 'polyline 7.5,18.5 11.5,12.5 14.5,16 17.5,12.5 21.5,18.5' \
  -stroke '#a9cfd8' -strokewidth 1 -draw 'line 8,21.5 21,21.5' \
  -font "$font" -pointsize 12 -fill '#e6e8eb' -stroke none -annotate +28+20 'Brimvale' \
  -type Palette -colors 256 -compress None "BMP3:$root/res/logo.bmp"
identify "$root/res/logo.bmp"
