#!/usr/bin/env bash
# The automation scenarios (tests/scenarios/*.scenario) run by the Windows program, headless,
# under a Wine of its own: the same scripts and the same expected dumps as on Linux, figures
# that follow from glyph widths checked by their rule (run_scenarios.py --windows). Exits 77
# (skipped) when the cross compiler or Wine is missing.
# usage: scenarios_test.sh SOURCE_DIR WINDOWS_BUILD_DIR
set -u
source_dir=$(cd "$1" && pwd)
build_dir=$(cd "$2" 2>/dev/null && pwd || echo "$2")

command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 ||
  { echo "the mingw-w64 cross compiler is not installed: skipped"; exit 77; }
command -v python3 >/dev/null 2>&1 || { echo "python3 is not installed: skipped"; exit 77; }
source "$source_dir/tests/windows/wine-env.sh"
"$source_dir/tools/build-windows" "$build_dir" >"$WINE_ENV_DIR/build.log" 2>&1 ||
  { tail -n 40 "$WINE_ENV_DIR/build.log"; exit 1; }
wine_env_start || exit 1
python3 "$source_dir/tests/scenarios/run_scenarios.py" --windows "$build_dir/pemtrix.exe"
