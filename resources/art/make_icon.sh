#!/usr/bin/env bash
# Draws the program icon (viewfinder corners and a red record dot) at 16, 32 and 48 pixels.
set -e
cd "$(dirname "$0")"
for s in 16 32 48; do
  r=$((s*3/16)); m=$((s*3/16)); t=$((s/10>1?s/10:1)); l=$((s/4)); e=$((s-1-m))
  convert -size ${s}x${s} xc:none -fill "#2e8b3a" -draw "roundrectangle 0,0 $((s-1)),$((s-1)) $r,$r" -fill white \
    -draw "rectangle $m,$m $((m+l)),$((m+t-1))" -draw "rectangle $m,$m $((m+t-1)),$((m+l))" \
    -draw "rectangle $((e-l)),$m $e,$((m+t-1))" -draw "rectangle $((e-t+1)),$m $e,$((m+l))" \
    -draw "rectangle $m,$((e-t+1)) $((m+l)),$e" -draw "rectangle $m,$((e-l)) $((m+t-1)),$e" \
    -draw "rectangle $((e-l)),$((e-t+1)) $e,$e" -draw "rectangle $((e-t+1)),$((e-l)) $e,$e" \
    -fill "#ff3b30" -draw "circle $((s/2)),$((s/2)) $((s/2)),$((s/2+s/8))" icon$s.png
done
convert icon16.png icon32.png icon48.png ../brova.ico
