#!/usr/bin/env bash
# Runs one of the Windows test programs (tests/windows/CMakeLists.txt) under a Wine of its own,
# building it first in the Windows build when it is missing or out of date. Exits 77 (skipped)
# when the cross compiler or Wine is missing.
# usage: gtest_test.sh SOURCE_DIR WINDOWS_BUILD_DIR PROGRAM [ARGUMENT...]
set -eu
source_dir=$(cd "$1" && pwd)
build_dir=$2
program=$3
shift 3
here=$source_dir/tests/windows

command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 ||
  { echo "the mingw-w64 cross compiler is not installed: skipped"; exit 77; }
source "$here/wine-env.sh"

"$source_dir/tools/build-windows" "$build_dir" "$program" >"$WINE_ENV_DIR/build.log" 2>&1 || {
  tail -n 40 "$WINE_ENV_DIR/build.log"
  exit 1
}
wine_env_start
wine "$build_dir/tests/windows/$program.exe" "$@"
