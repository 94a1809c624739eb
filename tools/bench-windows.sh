#!/usr/bin/env bash
# Benchmarks of the calendar and planner windows under Wine, on a display of
# their own: the calendar repaint against the system month calendar control,
# and opening the plan manager on 10,000 plans against filling a plain
# report list with them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
[ -f build/win/planner_bench.exe ] || tools/build.sh
ninja -C build/win planner_bench >/dev/null
. tools/wine-env.sh
brova_bench_session "$root" bench
trap 'wineserver -k 2>/dev/null; kill "$BROVA_XVFB_PID" 2>/dev/null' EXIT
wine build/win/planner_bench.exe paint 300
wine build/win/planner_bench.exe open 3
