#!/usr/bin/env bash
# Times the online services' heavy paths against the usual tools, in one run
# on the same files (build/bench, removed afterwards):
#   HttpGetToFile, 1 GiB from a loopback server    vs  curl -o      (goal <= 1.0 x)
#   ExtractFirstEntry, 512 MiB deflated entry      vs  unzip -p >   (goal <= 0.6 x)
#     of program files, as update packages carry; and, for information, of
#     text without repeats (base64), the hardest case for inflate
#   FileMd5Hex, 1 GiB                              vs  md5sum       (goal <= 1.1 x)
# Each command runs BENCH_RUNS times (default 3) with warm caches; the best
# time counts. BENCH_KEEP=1 keeps the files for another run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
runs=${BENCH_RUNS:-3}
bench=$root/build/bench
tool=$root/build/native/online_bench

if [ ! -f build/native/build.ninja ]; then
  cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
ninja -C build/native -j 2 online_bench >/dev/null
mkdir -p "$bench"

server=
cleanup() {
  if [ -n "$server" ]; then kill "$server" 2>/dev/null || true; fi
  if [ -z "${BENCH_KEEP:-}" ]; then rm -rf "$bench"; fi
}
trap cleanup EXIT

# The inputs: 1 GiB of random bytes; 512 MiB of installed program files and
# libraries (the start of a tar of /usr/lib and /usr/share) and 512 MiB of
# base64 text, each packed by zip as one deflated entry.
if [ ! -f "$bench/big.bin" ]; then
  head -c 1G /dev/urandom > "$bench/big.bin"
fi
if [ ! -f "$bench/programs.zip" ]; then
  (tar -cf - /usr/lib /usr/share 2>/dev/null || true) | head -c 512M > "$bench/entry.bin"
  (cd "$bench" && zip -q -6 programs.zip entry.bin && rm entry.bin)
fi
if [ ! -f "$bench/text.zip" ]; then
  (head -c 390000000 /dev/urandom | base64 -w 76 || true) | head -c 512M > "$bench/entry.txt"
  (cd "$bench" && zip -q -6 text.zip entry.txt && rm entry.txt)
fi

# best_of CLEANUP COMMAND...: the shortest wall time in seconds of $runs runs.
best_of() {
  local cleanup=$1 best= t0 t1 t
  shift
  for _ in $(seq "$runs"); do
    eval "$cleanup"
    sync
    t0=$(date +%s.%N)
    "$@" >/dev/null
    t1=$(date +%s.%N)
    t=$(echo "$t1 - $t0" | bc)
    if [ -z "$best" ] || (( $(echo "$t < $best" | bc) )); then best=$t; fi
  done
  echo "$best"
}

report() {  # report NAME OURS PEER_NAME PEER NOTE
  local ratio
  ratio=$(echo "scale=3; $2 / $4" | bc)
  printf '%-34s %7.3f s   %-10s %7.3f s   ratio %5.2f  (%s)\n' "$1" "$2" "$3" "$4" "$ratio" "$5"
}

cat "$bench/big.bin" "$bench/programs.zip" "$bench/text.zip" >/dev/null  # warm the page cache

# HTTP: both clients fetch the same file from the same loopback server.
rm -f "$bench/port"
"$tool" serve "$bench/big.bin" "$bench/port" &
server=$!
for _ in $(seq 100); do [ -s "$bench/port" ] && break; sleep 0.05; done
url="http://127.0.0.1:$(cat "$bench/port")/big.bin"
ours=$(best_of 'rm -f "$bench/get.ours"' "$tool" http "$url" "$bench/get.ours")
peer=$(best_of 'rm -f "$bench/get.curl"' curl -s -o "$bench/get.curl" "$url")
cmp -s "$bench/get.ours" "$bench/big.bin" || { echo "HttpGetToFile stored a different body"; exit 1; }
report "HttpGetToFile 1 GiB" "$ours" "curl" "$peer" "goal <= 1.0"
rm -f "$bench/get.ours" "$bench/get.curl"

# Zip: the entry written out as a file by both.
unzip_pair() {  # unzip_pair NAME PACKAGE ENTRY NOTE
  mkdir -p "$bench/out"
  ours=$(best_of "rm -f '$bench/out/$3'" "$tool" unzip "$2" "$bench/out")
  peer=$(best_of "rm -f '$bench/unzip.out'" sh -c "unzip -p '$2' > '$bench/unzip.out'")
  cmp -s "$bench/out/$3" "$bench/unzip.out" || { echo "ExtractFirstEntry wrote a different file"; exit 1; }
  report "$1" "$ours" "unzip -p" "$peer" "$4"
  rm -rf "$bench/out" "$bench/unzip.out"
}
unzip_pair "ExtractFirstEntry 512 MiB programs" "$bench/programs.zip" entry.bin "goal <= 0.6"
unzip_pair "  same, 512 MiB base64 text" "$bench/text.zip" entry.txt "for information"

# MD5 of the same 1 GiB file.
ours=$(best_of ':' "$tool" md5 "$bench/big.bin")
peer=$(best_of ':' md5sum "$bench/big.bin")
[ "$("$tool" md5 "$bench/big.bin" | cut -d' ' -f1)" = "$(md5sum "$bench/big.bin" | cut -d' ' -f1)" ] ||
  { echo "FileMd5Hex gave a different digest"; exit 1; }
report "FileMd5Hex 1 GiB" "$ours" "md5sum" "$peer" "goal <= 1.1"
