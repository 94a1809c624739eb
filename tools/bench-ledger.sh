#!/usr/bin/env bash
# Benchmark of the ledger on 100,000 entries: loading the entry file and
# building the all-time report (native build), and opening the ledger window
# on it under Wine, each beside the time `wc -l` takes to read the same file,
# the floor of any reader, and their ratio. The file lands in build/bench
# and is removed afterwards.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
out=build/bench
mkdir -p "$out/account"
[ -f build/native/libbrova_core.a ] && [ -f build/win/build.ninja ] || tools/build.sh
ninja -C build/native brova_core >/dev/null
ninja -C build/win ledger_window_bench >/dev/null
g++ -O2 -std=c++17 -I. tools/bench/ledger_bench.cpp build/native/libbrova_core.a -lz -lpthread -o "$out/ledger_bench"
file="$out/account/bench.dat"
"$out/ledger_bench" write 100000 "$file"
trap 'rm -f "$file"' EXIT

# Best of 5 runs of wc -l, in milliseconds.
floor=$(for i in 1 2 3 4 5; do
  s=$(date +%s%N); wc -l "$file" >/dev/null; e=$(date +%s%N); echo $(((e - s) / 1000))
done | sort -n | head -1 | awk '{ printf "%.1f", $1 / 1000 }')
core=$("$out/ledger_bench" load "$file" 5)

. tools/wine-env.sh
brova_bench_session "$root" bench-ledger
trap 'rm -f "$file"; wineserver -k 2>/dev/null; kill "$BROVA_XVFB_PID" 2>/dev/null' EXIT
folder="Z:$(cd "$out/account" && pwd | tr / '\\')\\"
window=$(wine build/win/ledger_window_bench.exe "$folder" bench 3 | tr -d '\r')

echo "$(wc -l <"$file") lines, $(($(stat -c %s "$file") / 1024)) KiB; wc -l reads them in $floor ms"
echo "$core"
echo "$window"
ms() { sed -E 's/.*: ([0-9.]+) ms.*/\1/' <<<"$1"; }
awk -v a="$(ms "$core")" -v b="$(ms "$window")" -v f="$floor" \
  'BEGIN { printf "ratio to wc -l: load and report %.1fx, window %.1fx (targets: 100 ms, 500 ms)\n", a / f, b / f }'
