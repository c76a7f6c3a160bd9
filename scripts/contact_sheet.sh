#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders every picture of the panel at four times its size into one sheet for review:
# the 29 moons in rows of ten, the 12 animals in rows of six, then the program icon at
# 256, 48, 32 and 16 pixels. Usage: contact_sheet.sh [OUTPUT_PNG] (default
# /tmp/contact-sheet.png). Needs rsvg-convert (librsvg2-bin) and montage (imagemagick).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-/tmp/contact-sheet.png}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for f in resources/pictures/moon/moon*.svg; do
  rsvg-convert -w 180 -h 180 "$f" -o "$work/$(basename "$f" .svg).png"
done
for f in resources/pictures/animals/animal*.svg; do
  rsvg-convert -w 240 -h 240 "$f" -o "$work/$(basename "$f" .svg).png"
done
icon=resources/icons/io.github.moonleaf.Moonleaf.svg
for size in 256 48 32 16; do
  rsvg-convert -w "$size" -h "$size" "$icon" -o "$work/icon$size.png"
done

montage "$work"/moon*.png -tile 10x -geometry +6+6 -background '#d0d0d0' "$work/sheet-moons.png"
montage "$work"/animal*.png -tile 6x -geometry +6+6 -background '#d0d0d0' "$work/sheet-animals.png"
montage "$work"/icon256.png "$work"/icon48.png "$work"/icon32.png "$work"/icon16.png \
  -tile 4x -geometry +12+12 -gravity center -background '#d0d0d0' "$work/sheet-icon.png"
convert "$work/sheet-moons.png" "$work/sheet-animals.png" "$work/sheet-icon.png" \
  -background '#d0d0d0' -gravity center -append +repage "$out"
echo "contact sheet: $out"
