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
#   tools/bench-capture.sh [WxH...]     default: 1920x1080 3840x2160
#   BENCH_RUNS=N                        runs of each tool per size (default 5)
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
