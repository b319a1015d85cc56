#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Korvanis developers
# Draws the program icon: a blue tile with a white "K" over a row of digits, at
# 64 pixels for the program and the icon theme and at 256 for large displays and
# software centres. The PNGs are committed; run this only to change them (needs
# imagemagick and the DejaVu fonts from fonts-dejavu-core).
set -euo pipefail
command -v convert >/dev/null || { echo "make_icon.sh: imagemagick (convert) is missing" >&2; exit 1; }
here=$(cd "$(dirname "$0")/.." && pwd)
font_bold=$(fc-match -f '%{file}' 'DejaVu Sans:bold')
font=$(fc-match -f '%{file}' 'DejaVu Sans Mono')

# draw <size, a multiple of 64> <file>: the 64-pixel drawing scaled as a whole.
draw() {
  local size=$1 out=$2 k=$(($1 / 64))
  convert -size "${size}x${size}" xc:none \
    -fill '#1f4e9c' -draw "roundrectangle $k,$k $((size - 1 - k)),$((size - 1 - k)) $((10 * k)),$((10 * k))" \
    -fill white -font "$font_bold" -pointsize $((44 * k)) -gravity north -annotate +0+0 'K' \
    -fill '#ffd24a' -font "$font" -pointsize $((13 * k)) -gravity south -annotate +0+$((3 * k)) '3141' \
    -strip "$out"
  echo "wrote $out"
}
draw 64 "$here/resources/korvanis_icon.png"
draw 256 "$here/data/korvanis_256.png"
