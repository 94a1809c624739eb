#!/usr/bin/env bash
# Soak of repeated captures: one brova process makes 1,000 full-screen
# captures in a row (capture message, result window closed at once, every
# other picture pasted from the clipboard). Prints brova's memory and handle
# counts after the 10th and after the 1,000th capture, and whether the
# 1,000th ends within 1 MiB and 10 handles of the 10th. The captures start
# once brova's one-time start-up work (the update worker) is over. A
# benchmark, not a test: it takes minutes.
#   tools/soak-capture.sh [WxH]         default: 1280x800
#   SOAK_CAPTURES=N                     captures in all (default 1000)
#   VISTREL_PLAIN_CAPTURE=1             brova takes the path it takes on Windows
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
[ -x build/win/brova.exe ] && [ -x build/win/capture_bench.exe ] || tools/build.sh
. "$root/tools/wine-env.sh"
brova_init_prefix "$root/build/wine64/template"

size=${1:-1280x800}
total=${SOAK_CAPTURES:-1000}
first=10
brova_scratch brova-soak

brova_desktop_session "$root" "$work/prefix" "$size"
cp -r build/stage "$work/app"
wine wineboot -s >/dev/null 2>&1 || true
winctl() { wine "$root/build/win/winctl.exe" "$@" 2>/dev/null; }
bench() { wine "$root/build/win/capture_bench.exe" "$@"; }
folder=$(echo "Z:$work/app/Snapshot" | tr / '\\')

# The update worker starts 10 s after brova and runs once; it is pointed at
# a local port that refuses at once, and the soak starts after it has run,
# so the counts show what the captures leave behind.
export VISTREL_SITE=http://127.0.0.1:9
app=$(echo "Z:$work/app" | tr / '\\')
(cd "$work/app" && exec wine "$app\\brova.exe" >/dev/null 2>&1) &
for _ in $(seq 1 300); do winctl find Vistrel | grep -q 'visible=1' && break; sleep 0.1; done
# The Wine process of brova: its command line is the Windows path.
pid=$(pgrep -f "^Z:.*$(basename "$work").app.brova.exe" | head -n 1)
[ -n "$pid" ] || { echo "brova did not start" >&2; exit 1; }
started=$(date +%s)
# The cursor away from every window: the click after each capture lands on the desktop.
xdotool mousemove 0 "$((${size#*x} - 1))"

# counts N: prints "<rss KiB> <private KiB> gdi=.. user=.. kernel=.." after
# N more captures. Private memory is what only brova maps (its heaps and
# the capture pictures), resident.
counts() {
  local handles
  handles=$(bench soak "$1" "$folder" | tr -d '\r') || { echo "the soak stopped" >&2; exit 1; }
  awk '/^VmRSS:/ { r = $2 } END { printf "%d ", r }' "/proc/$pid/status"
  awk '/^Private_(Clean|Dirty):/ { p += $2 } END { printf "%d ", p }' "/proc/$pid/smaps_rollup"
  echo "$handles"
}
value() { echo "$1" | tr ' ' '\n' | sed -n "s/^$2=//p"; }

while [ $(( $(date +%s) - started )) -lt 15 ]; do sleep 1; done
start=$(date +%s)
a=$(counts "$first")
b=$(counts "$((total - first))")
secs=$(( $(date +%s) - start ))
read -r rss_a priv_a _ <<< "$a"
read -r rss_b priv_b _ <<< "$b"
printf 'soak of %d captures at %s (%d s)\n' "$total" "$size" "$secs"
printf '%-12s %10s %12s %6s %6s %7s\n' after "rss KiB" "private KiB" gdi user kernel
for row in "$first:$a" "$total:$b"; do
  line=${row#*:}
  read -r rss priv _ <<< "$line"
  printf '%-12s %10d %12d %6s %6s %7s\n' "${row%%:*}" "$rss" "$priv" "$(value "$line" gdi)" "$(value "$line" user)" \
    "$(value "$line" kernel)"
done
dp=$((priv_b - priv_a))
dh=0
for k in gdi user kernel; do
  d=$(( $(value "$b" $k) - $(value "$a" $k) ))
  [ "${d#-}" -gt "$dh" ] && dh=${d#-}
done
verdict=ok
[ "$dp" -le 1024 ] && [ "$dh" -le 10 ] || verdict=GROWS
printf 'growth from %d to %d: private %+d KiB, rss %+d KiB, largest handle change %d (limits 1024 KiB, 10): %s\n' \
  "$first" "$total" "$dp" "$((rss_b - rss_a))" "$dh" "$verdict"
winctl post Pagorin 0x0111 32796 0 >/dev/null || true
