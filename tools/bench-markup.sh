#!/usr/bin/env bash
# Benchmarks of the picture editor, the loupe and pins under Wine on a
# 3840x2160 display of their own, each beside a plain way of doing the same
# in the same run: the editor opened on a full-screen picture against a
# window showing a copy of it; a recorded stroke replayed (each move's
# work and paint, the slowest against the 16 ms of a frame) against drawing
# it with GDI and copying the whole canvas; the loupe at each pointer move
# against copying the whole screen back first; a pin visible after it is
# asked for, and private memory after 100 pins opened and closed.
# [WxH] chooses the display's size.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
size=${1:-3840x2160}
[ -f build/win/build.ninja ] || tools/build.sh
ninja -C build/win markup_bench >/dev/null
. tools/wine-env.sh
brova_init_prefix "$root/build/wine64/template"
export WINEPREFIX="$root/build/wine64/bench-markup"
brova_copy_prefix "$root/build/wine64/template" "$WINEPREFIX"
n=$(brova_free_display)
brova_start_xvfb "$n" "$size"
export DISPLAY=":$n"
trap 'wineserver -k 2>/dev/null; kill "$BROVA_XVFB_PID" 2>/dev/null' EXIT
[ -n "${ONLY:-}" ] || wine build/win/markup_bench.exe open 7
wine build/win/markup_bench.exe stroke 300
wine build/win/markup_bench.exe loupe 300
wine build/win/markup_bench.exe pins 100
