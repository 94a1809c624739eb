#!/usr/bin/env bash
# Capture speed against a peer tool, in one run: for each screen size, on one
# Xvfb screen of that size, brova's time from the full-screen capture message
# (0x0407 posted to "Pagorin") to the complete file, less the fixed 100 ms the
# capture waits for the screen to settle, beside ImageMagick's
# `import -window root x.bmp` capturing the same screen; and the time from
# the full-screen key (Ctrl+Alt+1) to a visible result window, the wait
# included. Every capture is the first of a fresh brova process. Prints the
# medians and brova's time as a share of import's (goals: at most 0.15; key
# to result window at most 150 ms at 1920x1080 and 250 ms at 3840x2160), and
# the longest of brova's preparations, which must fit in the 100 ms wait.
# Then, per size and per screen (a flat desktop, a photo-like gradient,
# windows full of text, shown as the Wine desktop's wallpaper), brova's time
# from the message to the complete PNG file ([FORMAT] png) and the file's
# size beside `convert x.bmp x.png` on brova's BMP of the same screen, with
# their ratios (goals: time at most 0.25, size at most 1.15); brova's PNG
# must decode to exactly the BMP's pixels.
#   tools/bench-capture.sh [WxH...]     default: 1920x1080 3840x2160
#   BENCH_RUNS=N                        runs of each tool per size (default 5)
#   BENCH_PNG=0                         leaves the PNG figures out
#   VISTREL_PLAIN_CAPTURE=1             brova takes the path it takes on Windows
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
[ -x build/win/brova.exe ] && [ -x build/win/winctl.exe ] && [ -x build/win/capture_bench.exe ] || tools/build.sh
. "$root/tools/wine-env.sh"
brova_init_prefix "$root/build/wine64/template"

runs=${BENCH_RUNS:-5}
sizes=("$@")
[ "${#sizes[@]}" -gt 0 ] || sizes=(1920x1080 3840x2160)
grab_wait_ms=100
brova_scratch brova-bench

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
winctl() { wine "$root/build/win/winctl.exe" "$@" 2>/dev/null; }
winpath() { echo "Z:$1" | tr / '\\'; }

# start_brova APP: starts brova in APP and waits for its capture window.
start_brova() {
  (cd "$1" && exec wine brova.exe >/dev/null 2>&1) &
  pid=$!
  for _ in $(seq 1 300); do winctl find Vistrel | grep -q 'visible=1' && break; sleep 0.1; done
}
stop_brova() {
  winctl post Pagorin 0x0111 32796 0 >/dev/null || true  # exit
  wait "$pid" 2>/dev/null || true
}

printf '%-10s %10s %10s %7s %14s %13s\n' size "brova ms" "import ms" ratio "key->window ms" "max prep ms"
for size in "${sizes[@]}"; do
  brova_desktop_session "$root" "$work/prefix-$size" "$size"
  app="$work/app-$size"
  cp -r build/stage "$app"
  wine wineboot -s >/dev/null 2>&1 || true

  # The two tools take turns, so that both see the same load of the machine.
  brova_ms=()
  import_ms=()
  key_ms=()
  prep_ms=()
  for _ in $(seq 1 "$runs"); do
    rm -rf "$app/Snapshot" "$work/prep.log"
    BROVA_BENCH_CAPTURE_LOG=$(winpath "$work/prep.log") start_brova "$app"
    ms=$(winctl post-time-file Pagorin 0x0407 "$(winpath "$app/Snapshot")" 60000) || { echo "brova wrote no file at $size" >&2; exit 1; }
    brova_ms+=("$(awk -v t="$ms" -v w="$grab_wait_ms" 'BEGIN { printf "%.1f", t - w }')")
    prep_ms+=("$(awk '{ print $2 }' "$work/prep.log")")
    file=$(ls "$app"/Snapshot/Snapshot*.bmp)
    [ "$(identify -format '%wx%h' "$file")" = "$size" ] || { echo "brova's file is not $size" >&2; exit 1; }

    # import, with brova's result window on the screen as brova had its capture window.
    rm -f "$work/x.bmp"
    t0=$(date +%s%N)
    import -window root "$work/x.bmp"
    t1=$(date +%s%N)
    import_ms+=("$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.1f", (b - a) / 1e6 }')")
    [ "$(identify -format '%wx%h' "$work/x.bmp")" = "$size" ] || { echo "import's file is not $size" >&2; exit 1; }
    stop_brova

    # The key, in a fresh process again.
    rm -rf "$app/Snapshot"
    start_brova "$app"
    ms=$(wine "$root/build/win/capture_bench.exe" key-time 60000 2>/dev/null | tr -d "\r") || { echo "the key opened no result window at $size" >&2; exit 1; }
    key_ms+=("$ms")
    stop_brova
  done

  b=$(printf '%s\n' "${brova_ms[@]}" | median)
  i=$(printf '%s\n' "${import_ms[@]}" | median)
  k=$(printf '%s\n' "${key_ms[@]}" | median)
  p=$(printf '%s\n' "${prep_ms[@]}" | sort -n | tail -1)
  printf '%-10s %10.1f %10.1f %7.2f %14.1f %13.1f\n' "$size" "$b" "$i" "$(awk -v b="$b" -v i="$i" 'BEGIN { print b / i }')" "$k" "$p"
  echo "           brova runs: ${brova_ms[*]}; import runs: ${import_ms[*]}; key runs: ${key_ms[*]}; prep runs: ${prep_ms[*]}"

  wineserver -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  xvfb=""
done

[ "${BENCH_PNG:-1}" = 1 ] || exit 0

# The screens, drawn once at the largest size by ImageMagick; smaller sizes
# show their top-left part.
make_screens() {
  local out=$1 big=3840x2160 i=0 f font bg fg body
  convert -size $big xc:'#2b5797' \
    -fill '#1f1f1f' -draw 'rectangle 0,2096 3839,2159' -fill '#3c3c3c' -draw 'rectangle 0,2096 96,2159' \
    -fill '#f0c040' -draw 'roundrectangle 40,40 136,136 12,12' -draw 'roundrectangle 40,200 136,296 12,12' \
    -fill '#60a0e0' -draw 'roundrectangle 40,360 136,456 12,12' \
    -fill white -font DejaVu-Sans -pointsize 18 -annotate +42,168 'Documents' -annotate +52,328 'Pictures' \
    -type TrueColor "BMP3:$out/flat.bmp"
  convert -size $big -seed 7 plasma:fractal -blur 0x1 -type TrueColor "BMP3:$out/photo.bmp"
  for f in capture/win/ScreenGrab.cpp capture/win/BmpWriter.cpp common/SectionFile.cpp README.md; do
    font=DejaVu-Sans-Mono bg=white fg='#202020'
    [ $i = 1 ] && bg='#1e1e1e' fg='#d4d4d4'
    [ $i = 3 ] && font=DejaVu-Sans
    body=$(head -n 75 "$f" | cut -c1-200 | sed 's/%/%%/g')
    convert -size 1900x1030 xc:"$bg" -fill "$fg" -font $font -pointsize 14 -annotate +8+18 "$body" \
      -fill '#2d7dd2' -draw 'rectangle 0,0 1899,33' -type TrueColor "$out/win$i.png" 2>/dev/null
    i=$((i + 1))
  done
  convert -size $big xc:'#2b5797' "$out/win0.png" -geometry +10+10 -composite "$out/win1.png" -geometry +1930+10 \
    -composite "$out/win2.png" -geometry +10+1080 -composite "$out/win3.png" -geometry +1930+1080 -composite \
    -type TrueColor "BMP3:$out/text.bmp"
}
mkdir -p "$work/screens"
make_screens "$work/screens"
size_kib() { awk -v b="$(stat -c %s "$1")" 'BEGIN { printf "%.0f", b / 1024 }'; }

echo
printf '%-10s %-6s %10s %11s %6s %10s %11s %6s\n' size screen "brova ms" "convert ms" ratio "brova KiB" "convert KiB" ratio
for size in "${sizes[@]}"; do
  for screen in flat photo text; do
    kill "$xvfb" 2>/dev/null || true
    brova_desktop_session "$root" "$work/prefix-$size-$screen" "$size"
    convert "$work/screens/$screen.bmp" -crop "$size+0+0" +repage -type TrueColor "BMP3:$work/wallpaper.bmp"
    wine reg add 'HKCU\Control Panel\Desktop' /v Wallpaper /d "$(winpath "$work/wallpaper.bmp")" /f >/dev/null 2>&1
    app="$work/app-$size-$screen"
    rm -rf "$app"
    cp -r build/stage "$app"
    wine wineboot -s >/dev/null 2>&1 || true
    brova_ms=()
    im_ms=()
    for _ in $(seq 1 "$runs"); do
      # brova's BMP of the screen, for ImageMagick and for the comparison.
      rm -rf "$app/Snapshot"
      printf '[FORMAT]\r\nbmp\r\n' >"$app/data/capture.ini"
      start_brova "$app"
      winctl post-time-file Pagorin 0x0407 "$(winpath "$app/Snapshot")" 60000 >/dev/null ||
        { echo "brova wrote no BMP at $size" >&2; exit 1; }
      stop_brova
      mv "$app"/Snapshot/Snapshot*.bmp "$work/x.bmp"

      printf '[FORMAT]\r\npng\r\n' >"$app/data/capture.ini"
      start_brova "$app"
      ms=$(winctl post-time-file Pagorin 0x0407 "$(winpath "$app/Snapshot")" 60000 .png) ||
        { echo "brova wrote no PNG at $size" >&2; exit 1; }
      brova_ms+=("$(awk -v t="$ms" -v w="$grab_wait_ms" 'BEGIN { printf "%.1f", t - w }')")
      stop_brova
      mv "$app"/Snapshot/Snapshot*.png "$work/brova.png"

      rm -f "$work/x.png"
      t0=$(date +%s%N)
      convert "$work/x.bmp" "$work/x.png"
      t1=$(date +%s%N)
      im_ms+=("$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.1f", (b - a) / 1e6 }')")
    done
    # The last PNG holds the pixels of the last BMP: the screen did not change.
    convert "$work/x.bmp" rgb:"$work/bmp.rgb"
    convert "$work/brova.png" rgb:"$work/png.rgb"
    cmp -s "$work/bmp.rgb" "$work/png.rgb" || { echo "brova's PNG of $screen at $size differs from its BMP" >&2; exit 1; }
    b=$(printf '%s\n' "${brova_ms[@]}" | median)
    i=$(printf '%s\n' "${im_ms[@]}" | median)
    bk=$(size_kib "$work/brova.png")
    ik=$(size_kib "$work/x.png")
    printf '%-10s %-6s %10.1f %11.1f %6.2f %10s %11s %6.2f\n' "$size" "$screen" "$b" "$i" \
      "$(awk -v b="$b" -v i="$i" 'BEGIN { print b / i }')" "$bk" "$ik" "$(awk -v b="$bk" -v i="$ik" 'BEGIN { print b / i }')"
    echo "           brova runs: ${brova_ms[*]}; convert runs: ${im_ms[*]}"
    wineserver -k 2>/dev/null || true
  done
done
kill "$xvfb" 2>/dev/null || true
xvfb=""
