#!/usr/bin/env bash
# Sets up the machine, builds, and runs every test headless: the native unit
# tests, the Windows unit tests under Wine, and the end-to-end tests that
# drive brova under Wine on Xvfb displays of their own.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/tools/setup.sh" || exit 1
"$root/tools/build.sh" || exit 1
. "$root/tools/wine-env.sh"
brova_init_prefix "$root/build/wine64/template" && brova_isolate_prefix "$root/build/wine64/template"

failed=()
echo "== native unit tests"
ctest --test-dir build/native -L native --output-on-failure || failed+=(native)

echo "== Windows unit tests (Wine)"
n=$(brova_free_display)
brova_start_xvfb "$n" 1280x800
export DISPLAY=":$n"
export WINEPREFIX="$root/build/wine64/unit"
brova_copy_prefix "$root/build/wine64/template" "$WINEPREFIX"
ctest --test-dir build/win --output-on-failure || failed+=(wine)
wineserver -k 2>/dev/null
kill "$BROVA_XVFB_PID" 2>/dev/null
unset DISPLAY WINEPREFIX

echo "== end-to-end tests (Wine on Xvfb)"
ctest --test-dir build/native -L e2e --output-on-failure -j 2 || failed+=(e2e)

if [ "${#failed[@]}" -gt 0 ]; then
  echo "FAILED: ${failed[*]}"
  exit 1
fi
echo "all tests passed"
