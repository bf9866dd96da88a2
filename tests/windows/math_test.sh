#!/usr/bin/env bash
# The same mathematics on both systems: random calls of every function of the engine's table
# (tests/windows/random_calls.py) evaluated by the Linux program and by the Windows program
# under a Wine of its own, their outputs compared line by line; the differing lines and a count
# per function are printed. Calls where Linux's C library is known to round wrongly
# (math_known_differences.txt) must show the right output on Windows instead. Exits 77
# (skipped) when the cross compiler or Wine is missing.
# usage: math_test.sh SOURCE_DIR WINDOWS_BUILD_DIR LINUX_PEMTRIX [CALLS [SEED]]
#   e.g. math_test.sh . build-windows build/pemtrix 1000000 7    for a large run by hand
set -u
source_dir=$(cd "$1" && pwd)
build_dir=$2
linux=$3
calls=${4:-100000}
seed=${5:-1}
exe=$build_dir/pemtrix.exe

command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 ||
  { echo "the mingw-w64 cross compiler is not installed: skipped"; exit 77; }
source "$source_dir/tests/windows/wine-env.sh"
"$source_dir/tools/build-windows" "$build_dir" >"$WINE_ENV_DIR/build.log" 2>&1 ||
  { tail -n 40 "$WINE_ENV_DIR/build.log"; exit 1; }
wine_env_start || exit 1
work=$WINE_ENV_DIR/work
mkdir -p "$work"

generator=$source_dir/tests/windows/random_calls.py
python3 "$generator" generate "$source_dir/engine/FunctionLibrary.cpp" "$seed" "$calls" >"$work/calls.txt" || exit 1
# rand draws the same numbers from the same seed on both systems.
"$linux" --store "$work/linux.db" --seed 1 --eval - <"$work/calls.txt" >"$work/linux.out"
wine "$exe" --store math-test --seed 1 --eval - <"$work/calls.txt" >"$work/windows.out"
python3 "$generator" compare "$work/calls.txt" "$work/linux.out" "$work/windows.out" \
  "$source_dir/tests/windows/math_known_differences.txt"
