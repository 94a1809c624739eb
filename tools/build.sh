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
# The Windows programs are 64-bit; a build folder set up for another target
# is set up anew.
if [ -f build/win/CMakeCache.txt ] && ! grep -q 'mingw-x86_64.cmake' build/win/CMakeCache.txt; then
  rm -rf build/win
fi
if [ ! -f build/win/build.ninja ]; then
  cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake >/dev/null
fi
ninja -C build/win -j "$jobs"
ninja -C build/native -j "$jobs"
