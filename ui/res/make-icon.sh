#!/usr/bin/env bash
# Draws the program icon: a blue tile with the character 字 over a hex pair.
# Run by hand when the design changes; the .ico is committed.
set -euo pipefail
cd "$(dirname "$0")"
font=$(fc-match -f '%{file}' 'WenQuanYi Micro Hei')
work=$(mktemp -d)
for size in 16 24 32 48 64 256; do
  radius=$((size / 6))
  glyph=$((size * 62 / 100))
  label=$((size * 22 / 100))
  convert -size ${size}x${size} xc:none \
    -fill '#1f5fbf' -draw "roundrectangle 0,0,$((size - 1)),$((size - 1)),$radius,$radius" \
    -font "$font" -fill white -gravity north -pointsize $glyph -annotate +0+$((size / 24)) '字' \
    "$work/$size.png"
  if [ "$size" -ge 32 ]; then
    convert "$work/$size.png" -font "$font" -fill '#ffd54a' -gravity south -pointsize $label \
      -annotate +0+$((size / 20)) 'D7 D6' "$work/$size.png"
  fi
done
convert "$work"/16.png "$work"/24.png "$work"/32.png "$work"/48.png "$work"/64.png "$work"/256.png morvane.ico
rm -rf "$work"
