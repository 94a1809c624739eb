#!/usr/bin/env bash
# Builds the native core with its tests and the Windows programs, and stages
# the installation folder build/stage.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=$(nproc)

# build/stage holds what a user gets: the setup program is made from it and
# every end-to-end test starts from a copy of it. brova runs from build/run
# (tools/run.sh). A stage that holds files the build does not make was run
# by an earlier tools/run.sh and holds the user's own files: it becomes
# build/run, whole, and the stage and setup program are made anew.
stage_has_files_of_a_run() {
  [ -d build/stage ] || return 1
  local f
  while IFS= read -r f; do
    case "$f" in
      data/trelk.dll) ;;
      */*) [ "${f%%/*}" = data ] && [ -f "resources/data/${f#data/}" ] || return 0 ;;
      *.exe) ;;
      *) return 0 ;;
    esac
  done < <(cd build/stage && find . -type f | sed 's#^\./##')
  return 1
}
if [ ! -e build/run ] && stage_has_files_of_a_run; then
  mv build/stage build/run
  rm -f build/brova-setup.exe
  echo "build: the staged folder held files of a run; they are kept in build/run, and the stage is made anew"
fi
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
