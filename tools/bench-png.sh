#!/usr/bin/env bash
# PNG files of 3840x2160 captures against ImageMagick, in one run: three
# screens (a plain desktop, a photo-like gradient, four windows full of
# text) as the 32-bit BMP a capture writes; brova's time from the pixels in
# memory to the complete PNG file written (the encoder on every core; native
# build, and the Windows build under Wine) beside `convert x.bmp x.png` on the
# same BMP, and both files' sizes; the Windows build's file must be the same.
# Prints the medians and brova's share of each (goals: time at most 0.25,
# size at most 1.15), and checks that brova's file decodes, through
# ImageMagick, to exactly the BMP's pixels.
#   BENCH_RUNS=N   runs of each tool per screen (default 5)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
runs=${BENCH_RUNS:-5}
out=build/bench/png
mkdir -p "$out"
[ -f build/native/build.ninja ] || tools/build.sh
ninja -C build/native png_bench >/dev/null
[ -f build/win/build.ninja ] || tools/build.sh
ninja -C build/win png_bench >/dev/null
bench=build/native/png_bench
. tools/wine-env.sh
brova_init_prefix "$root/build/wine64/template"
export WINEPREFIX="$root/build/wine64/bench-png"
brova_copy_prefix "$root/build/wine64/template" "$WINEPREFIX"
trap 'wineserver -k 2>/dev/null' EXIT
winpath() { echo "Z:$root/$1" | tr / '\\'; }
# The real ImageMagick: /usr/local/bin may hold a stand-in that reads PNGs only.
if ! dpkg-query -W -f='${Status}' imagemagick 2>/dev/null | grep -q "install ok installed"; then
  if [ "$(id -u)" -eq 0 ]; then apt-get install -y -qq imagemagick >/dev/null; else sudo apt-get install -y -qq imagemagick >/dev/null; fi
fi
im=/usr/bin/convert
size=3840x2160

# The screens, made once: ImageMagick draws them, png_bench turns them into
# the 32-bit file of a capture.
make_screens() {
  $im -size $size xc:'#2b5797' \
    -fill '#1f1f1f' -draw 'rectangle 0,2096 3839,2159' -fill '#3c3c3c' -draw 'rectangle 0,2096 96,2159' \
    -fill '#e8e8e8' -draw 'rectangle 120,2110 180,2146' -draw 'rectangle 200,2110 260,2146' \
    -fill '#f0c040' -draw 'roundrectangle 40,40 136,136 12,12' -draw 'roundrectangle 40,200 136,296 12,12' \
    -fill '#60a0e0' -draw 'roundrectangle 40,360 136,456 12,12' \
    -fill white -font /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf -pointsize 18 -annotate +42,168 'Documents' -annotate +52,328 'Pictures' \
    -annotate +60,488 'Recycle' -annotate +3700,2136 '09:41' -type TrueColor "BMP3:$out/flat24.bmp"
  $im -size $size -seed 7 plasma:fractal -blur 0x1 -type TrueColor "BMP3:$out/photo24.bmp"
  local i=0 f font bg fg body
  for f in capture/PngEncoder_test.cpp capture/win/ScreenCapture.cpp common/SectionFile.cpp README.md; do
    font=/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf bg=white fg='#202020'
    [ $i = 1 ] && bg='#1e1e1e' fg='#d4d4d4'
    [ $i = 3 ] && font=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
    body=$(head -n 75 "$f" | cut -c1-200 | sed 's/%/%%/g')
    $im -size 1900x1030 xc:"$bg" -fill "$fg" -font $font -pointsize 14 -annotate +8+18 "$body" \
      -fill '#2d7dd2' -draw 'rectangle 0,0 1899,33' -fill white -font /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf -pointsize 16 \
      -annotate +10+23 "$(basename "$f") - Editor" -type TrueColor "$out/win$i.png"
    i=$((i + 1))
  done
  $im -size $size xc:'#2b5797' "$out/win0.png" -geometry +10+10 -composite "$out/win1.png" -geometry +1930+10 -composite \
    "$out/win2.png" -geometry +10+1080 -composite "$out/win3.png" -geometry +1930+1080 -composite \
    -fill '#1f1f1f' -draw 'rectangle 0,2120 3839,2159' -type TrueColor "BMP3:$out/text24.bmp"
  for s in flat photo text; do "$bench" bmp32 "$out/${s}24.bmp" "$out/$s.bmp"; rm -f "$out/${s}24.bmp"; done
}
[ -f "$out/flat.bmp" ] && [ -f "$out/photo.bmp" ] && [ -f "$out/text.bmp" ] || make_screens

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
now_ms() { date +%s%N | awk '{ printf "%.1f", $1 / 1e6 }'; }

printf '%-6s %9s %9s %10s %6s %6s %10s %11s %6s\n' screen "brova ms" "wine ms" "convert ms" ratio "wine" "brova KiB" "convert KiB" ratio
for s in flat photo text; do
  bmp="$out/$s.bmp"
  brova_ms=()
  wine_ms=()
  im_ms=()
  # The two tools take turns, so that both see the same load of the machine.
  for _ in $(seq 1 "$runs"); do
    line=$("$bench" encode "$bmp" "$out/$s-brova.png" 1)
    brova_ms+=("$(sed -E 's/ms=([0-9.]+).*/\1/' <<<"$line")")
    line=$(wine build/win/png_bench.exe encode "$(winpath "$bmp")" "$(winpath "$out/$s-wine.png")" 1 2>/dev/null | tr -d '\r')
    wine_ms+=("$(sed -E 's/ms=([0-9.]+).*/\1/' <<<"$line")")
    t0=$(now_ms)
    $im "$bmp" "$out/$s-im.png"
    t1=$(now_ms)
    im_ms+=("$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.1f", b - a }')")
  done
  bm=$(printf '%s\n' "${brova_ms[@]}" | median)
  wm=$(printf '%s\n' "${wine_ms[@]}" | median)
  cm=$(printf '%s\n' "${im_ms[@]}" | median)
  cmp -s "$out/$s-brova.png" "$out/$s-wine.png" || { echo "the Windows build wrote another PNG of $s" >&2; exit 1; }
  bs=$(stat -c %s "$out/$s-brova.png")
  cs=$(stat -c %s "$out/$s-im.png")
  $im "$bmp" rgb:"$out/$s-bmp.rgb"
  $im "$out/$s-brova.png" rgb:"$out/$s-brova.rgb"
  cmp -s "$out/$s-bmp.rgb" "$out/$s-brova.rgb" || { echo "brova's PNG of $s differs from its BMP" >&2; exit 1; }
  rm -f "$out/$s-bmp.rgb" "$out/$s-brova.rgb"
  awk -v s="$s" -v bm="$bm" -v wm="$wm" -v cm="$cm" -v bs="$bs" -v cs="$cs" 'BEGIN {
    printf "%-6s %9.1f %9.1f %10.1f %6.2f %6.2f %10.1f %11.1f %6.2f\n", s, bm, wm, cm, bm / cm, wm / cm, bs / 1024, cs / 1024, bs / cs }'
done
echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"
