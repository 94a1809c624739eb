#!/usr/bin/env bash
# Start-up benchmark: time from process start to a visible "Vistrel" window,
# and private memory once idle, beside a minimal Win32 program that opens one
# window, both under the same Wine on the same Xvfb display. Prints medians
# of several alternating runs and the ratios.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${RUNS:-7}
"$root/tools/build.sh" >/dev/null
. "$root/tools/wine-env.sh"
brova_init_prefix "$root/build/wine64/template"
work=$(mktemp -d /tmp/brova-bench-XXXXXX)
trap 'WINEPREFIX=$work/prefix wineserver -k 2>/dev/null; kill $BROVA_XVFB_PID 2>/dev/null; rm -rf "$work"' EXIT
brova_copy_prefix "$root/build/wine64/template" "$work/prefix"
cp -r "$root/build/stage" "$work/app"
cp "$root/build/win/bench_minimal.exe" "$work/app/"
n=$(brova_free_display)
brova_start_xvfb "$n" 1280x800
export DISPLAY=":$n" WINEPREFIX="$work/prefix"
wine wineboot -s >/dev/null 2>&1 || true
winctl="$root/build/win/winctl.exe"
app=$(echo "Z:$work/app" | tr / '\\')

# measure TITLE EXE: prints "<start-up ms> <private KiB once idle>". The
# private memory is read from Linux two seconds after the window showed: the
# anonymous memory of the Wine process, what Windows counts as private bytes
# (font files and program images mapped from disk are shared, not private).
measure() {
  local out="$work/launch.out" pid ms kib
  : > "$out"
  wine "$winctl" launch "$1" "$app\\$2" 3500 > "$out" 2>/dev/null &
  local launcher=$!
  for _ in $(seq 1 300); do grep -q '^ms=' "$out" && break; sleep 0.05; done
  ms=$(sed -n 's/^ms=\([0-9.]*\).*/\1/p' "$out")
  sleep 2
  # The Wine process of the program: its command line is the Windows path.
  pid=$(pgrep -f "^Z:.*$(basename "$work").app.$2" | head -n 1)
  kib=$(awk '/^Anonymous:/ {s += $2} END {print s + 0}' "/proc/$pid/smaps_rollup" 2>/dev/null)
  wait "$launcher" || true
  echo "$ms ${kib:-0}"
}
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

: > "$work/brova"; : > "$work/minimal"
measure MinimalWindow bench_minimal.exe >/dev/null  # warm the file cache
for i in $(seq "$runs"); do
  measure MinimalWindow bench_minimal.exe >> "$work/minimal"
  measure Vistrel brova.exe >> "$work/brova"
done
bt=$(cut -d' ' -f1 "$work/brova" | median); bm=$(cut -d' ' -f2 "$work/brova" | median)
mt=$(cut -d' ' -f1 "$work/minimal" | median); mm=$(cut -d' ' -f2 "$work/minimal" | median)
awk -v bt="$bt" -v mt="$mt" -v bm="$bm" -v mm="$mm" -v runs="$runs" 'BEGIN {
  printf "start-up to visible window (median of %d):\n", runs
  printf "  brova (Vistrel)       %8.1f ms\n", bt
  printf "  minimal Win32 program %8.1f ms\n", mt
  printf "  ratio %.2f; brova less its fixed 100 ms timer: %.2f x minimal (target <= 1.3)\n", bt / mt, (bt - 100) / mt
  printf "private memory once idle:\n"
  printf "  brova                 %8.0f KiB\n", bm
  printf "  minimal Win32 program %8.0f KiB\n", mm
  printf "  difference %.0f KiB (target <= 2048), ratio %.2f\n", bm - mm, bm / mm
}'
