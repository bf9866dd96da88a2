#!/usr/bin/env bash
# The key/value store on the Windows registry: cross-builds tests/store/win32 with mingw-w64
# and runs it under a Wine of its own. Exits 77 (skipped) when either is missing.
# usage: store_test.sh SOURCE_DIR BUILD_DIR
set -eu
source_dir=$(cd "$1" && pwd)
build_dir=$2/windows-tests
here=$source_dir/tests/windows

command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 ||
  { echo "the mingw-w64 cross compiler is not installed: skipped"; exit 77; }
source "$here/wine-env.sh"

cmake -S "$here" -B "$build_dir" -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir" -j 2 --target store_tests >/dev/null || {
  cmake --build "$build_dir" -j 1 --target store_tests 2>&1 | tail -n 40
  exit 1
}

wine_env_start
wine "$build_dir/store_tests.exe"
