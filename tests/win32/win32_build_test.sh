#!/usr/bin/env bash
# Keeps the Windows entry point compiling with the mingw-w64 cross compiler.
# usage: win32_build_test.sh SOURCE_DIR
set -eu
source=$1
compiler=x86_64-w64-mingw32-g++
command -v "$compiler" >/dev/null || { echo "win32: $compiler not installed"; exit 1; }
"$compiler" -std=c++17 -Wall -Wextra -Werror -I"$source" -fsyntax-only "$source/proj.win32/main.cpp"
echo "win32: 1 passed, 0 failed"
