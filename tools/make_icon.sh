#!/usr/bin/env bash
# Draws the program icon: a blue tile with a white "K" over a row of digits.
# The PNG is committed; run this only to change it (needs imagemagick and the
# DejaVu fonts from fonts-dejavu-core).
set -euo pipefail
command -v convert >/dev/null || { echo "make_icon.sh: imagemagick (convert) is missing" >&2; exit 1; }
here=$(cd "$(dirname "$0")/.." && pwd)
out="$here/resources/korvanis_icon.png"
font_bold=$(fc-match -f '%{file}' 'DejaVu Sans:bold')
font=$(fc-match -f '%{file}' 'DejaVu Sans Mono')
convert -size 64x64 xc:none \
  -fill '#1f4e9c' -draw 'roundrectangle 1,1 62,62 10,10' \
  -fill white -font "$font_bold" -pointsize 44 -gravity north -annotate +0+0 'K' \
  -fill '#ffd24a' -font "$font" -pointsize 13 -gravity south -annotate +0+3 '3141' \
  -strip "$out"
echo "wrote $out"
