#!/usr/bin/env bash
# Checks upkit.exe under Wine with a fake brova.exe: replacement, waiting for
# a running brova, recovery of an interrupted run, refusal without "update",
# and a failed replacement that leaves brova.exe as it was.
# Usage: online/upkit/wine_check.sh   (needs MinGW, Wine and Xvfb)
set -uo pipefail
src=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d /tmp/upkit-check.XXXXXX)
export WINEPREFIX=${UPKIT_WINEPREFIX:-/tmp/upkit-wine} WINEARCH=win32 WINEDEBUG=-all
cxx="i686-w64-mingw32-g++-posix -std=c++17 -O2 -municode -mwindows -static -static-libgcc -static-libstdc++
     -DUNICODE -D_UNICODE -DWIN32_LEAN_AND_MEAN -DNOMINMAX -D_WIN32_WINNT=0x0601"
$cxx "$src/Upkit.cpp" -o "$work/upkit.exe" -luser32 || exit 2
$cxx -DFAKE_VERSION='L"v1"' "$src/FakeBrova.cpp" -o "$work/v1.exe" -luser32 || exit 2
$cxx -DFAKE_VERSION='L"v2"' "$src/FakeBrova.cpp" -o "$work/v2.exe" -luser32 || exit 2

display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 800x600x24 >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
[ -d "$WINEPREFIX" ] || wineboot -i >/dev/null 2>&1

failures=0
check() { if eval "$2"; then echo "ok   $1"; else echo "FAIL $1"; failures=$((failures + 1)); fi; }
fresh() {
  rm -rf "$work/app" && mkdir -p "$work/app/data"
  cp "$work/upkit.exe" "$work/app/" && cp "$work/v1.exe" "$work/app/brova.exe" && cp "$work/v2.exe" "$work/app/data/brova_new.exe"
}
waitfor() { for _ in $(seq 1 40); do [ -e "$1" ] && return 0; sleep 0.25; done; return 1; }
leftovers() { ls "$work/app" | grep -E 'incoming|backup' ; }

fresh
(cd "$work/app" && wine upkit.exe update); rc=$?
check "replaces brova.exe and answers 0" "[ $rc -eq 0 ] && cmp -s '$work/app/brova.exe' '$work/v2.exe'"
check "removes the staged file and leaves no temporaries" "[ ! -e '$work/app/data/brova_new.exe' ] && [ -z \"\$(leftovers)\" ]"
check "starts the new brova" "waitfor '$work/app/started-v2.txt'"

fresh
(cd "$work/app" && wine brova.exe hold) &
brova=$!
waitfor "$work/app/started-v1.txt"; sleep 1
start=$(date +%s.%N)
(cd "$work/app" && wine upkit.exe update); rc=$?
took=$(echo "$(date +%s.%N) - $start" | bc)
wait $brova
check "waits while a frame titled Pagorin exists (${took}s)" "[ $rc -eq 0 ] && (( \$(echo '$took > 1.2' | bc) ))"
check "then replaces brova.exe" "cmp -s '$work/app/brova.exe' '$work/v2.exe'"

fresh
mv "$work/app/brova.exe" "$work/app/brova.exe.backup"
(cd "$work/app" && wine upkit.exe update); rc=$?
check "restores a program file an interrupted run left as backup, then replaces it" \
  "[ $rc -eq 0 ] && cmp -s '$work/app/brova.exe' '$work/v2.exe' && [ -z \"\$(leftovers)\" ]"

fresh
(cd "$work/app" && wine upkit.exe); rc=$?
check "does nothing without the update argument" "[ $rc -eq 2 ] && cmp -s '$work/app/brova.exe' '$work/v1.exe' && [ -e '$work/app/data/brova_new.exe' ]"

fresh
rm "$work/app/data/brova_new.exe" && mkdir "$work/app/data/brova_new.exe"
(cd "$work/app" && wine upkit.exe update); rc=$?
check "a failed replacement keeps brova.exe and does not start it" \
  "[ $rc -eq 1 ] && cmp -s '$work/app/brova.exe' '$work/v1.exe' && [ -z \"\$(leftovers)\" ] && [ ! -e '$work/app/started-v1.txt' ]"

fresh
rm "$work/app/data/brova_new.exe"
(cd "$work/app" && wine upkit.exe update); rc=$?
check "with nothing staged leaves everything alone" "[ $rc -eq 0 ] && cmp -s '$work/app/brova.exe' '$work/v1.exe' && sleep 1 && [ ! -e '$work/app/started-v1.txt' ]"

kill "$xvfb" 2>/dev/null
rm -rf "$work"
[ $failures -eq 0 ] && echo "all upkit checks passed" || echo "$failures upkit checks failed"
exit $((failures > 0))
