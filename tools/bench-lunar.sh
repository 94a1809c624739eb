#!/usr/bin/env bash
# Benchmark: every day from 1900-01-31 to 2050-01-22 converted to its lunar
# date by our engine (native build) and by the npm package lunar-javascript
# in the same run. Prints both timings and the speed ratio; the digests show
# how far the two agree (the peer uses astronomical data, so a few dates near
# lunar month boundaries may differ).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
out=build/bench
mkdir -p "$out"
[ -f build/native/libbrova_core.a ] || tools/build.sh
g++ -O2 -std=c++17 -I. tools/bench/lunar_bench.cpp build/native/libbrova_core.a -lz -lpthread -o "$out/lunar_bench"
if [ ! -d "$out/node_modules/lunar-javascript" ]; then
  npm install --prefix "$out" --no-save --no-audit --no-fund lunar-javascript >/dev/null
fi
engine=$("$out/lunar_bench" 5)
peer=$(NODE_PATH="$out/node_modules" node tools/bench/lunar_peer.js 3)
echo "$engine"
echo "$peer"
ms() { sed -E 's/.* in ([0-9.]+) ms.*/\1/' <<<"$1"; }
awk -v a="$(ms "$engine")" -v b="$(ms "$peer")" 'BEGIN { printf "engine is %.0fx faster than lunar-javascript\n", b / a }'
