#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the product icon from lumivane.svg: the hicolor PNGs for Linux and lumivane.ico for
# the Windows build (32-bit images at every size, plus 256-colour 48 and 32 for old displays).
# Needs rsvg-convert (librsvg2-bin) and ImageMagick; the results are committed, so a build does
# not need either.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
sizes=(256 128 96 48 32)
for size in "${sizes[@]}"; do
  dir="$here/hicolor/${size}x${size}/apps"
  mkdir -p "$dir"
  rsvg-convert -w "$size" -h "$size" "$here/lumivane.svg" -o "$dir/lumivane.png"
done

png() { echo "$here/hicolor/$1x$1/apps/lumivane.png"; }
# 256-colour images: a palette of 255 colours plus one-bit transparency.
images=()
for size in 48 32; do
  images+=("(" "$(png $size)" -channel A -threshold 50% +channel -colors 255 -type PaletteAlpha ")")
done
for size in "${sizes[@]}"; do
  images+=("$(png "$size")")
done
convert "${images[@]}" "$here/lumivane.ico"
