#!/usr/bin/env bash
# Sets up the machine, builds, and starts brova under Wine from build/run:
# on the user's display when there is one, else on a new Xvfb display.
#   BROVA_DESKTOP=WxH   size of the Wine desktop (default: 1280x800, or the
#                       whole screen on Xvfb); BROVA_DESKTOP=none runs brova
#                       directly on the X display without a Wine desktop.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
"$root/tools/build.sh"
. "$root/tools/wine-env.sh"
if [ -z "${WINEPREFIX:-}" ]; then
  export WINEPREFIX=$HOME/.local/share/brova/wineprefix64
  # Earlier builds were 32-bit and ran in .../wineprefix; that prefix is kept
  # as it was (it may hold the user's data) and no longer used.
  if [ -d "$HOME/.local/share/brova/wineprefix" ] && [ ! -d "$WINEPREFIX" ]; then
    echo "brova: now 64-bit; using the new Wine prefix $WINEPREFIX (the 32-bit one in $HOME/.local/share/brova/wineprefix is left untouched)"
  fi
fi
brova_init_prefix "$WINEPREFIX"

size=${BROVA_DESKTOP:-1280x800}
if [ -z "${DISPLAY:-}" ]; then
  n=$(brova_free_display)
  brova_start_xvfb "$n" "$size"
  export DISPLAY=":$n"
  trap 'wineserver -k 2>/dev/null; kill $BROVA_XVFB_PID 2>/dev/null' EXIT
  trap 'exit 130' INT TERM
  echo "brova: no display; running on Xvfb $DISPLAY ($size). Screenshot: DISPLAY=$DISPLAY import -window root shot.png"
fi
# brova keeps what the user does beside itself; it runs from build/run so
# that the stage stays as the build made it. The programs and any default
# file the stage has newer come over; the user's files stay.
mkdir -p "$root/build/run"
cp -a -u "$root/build/stage/." "$root/build/run/"
cd "$root/build/run"
if [ "$size" = none ]; then
  wine brova.exe
else
  wine explorer "/desktop=brova,$size" brova.exe
fi
wineserver -w
