#!/usr/bin/env bash
# Keeps the Windows-only sources compiling: the clipboard functions are built and linked with
# the mingw-w64 cross compiler into a small program, and the program entry is checked.
# usage: win32_build_test.sh SOURCE_DIR
set -eu
source=$1
compiler=x86_64-w64-mingw32-g++
command -v "$compiler" >/dev/null || { echo "win32: $compiler not installed"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
flags=(-std=c++17 -Wall -Wextra -Werror -I"$source")
cat > "$work/probe.cpp" <<'CPP'
#include "platform/Clipboard.h"
int main() {
  writeClipboard("1+2");
  return readClipboard() == "1+2" ? 0 : 1;
}
CPP
"$compiler" "${flags[@]}" "$work/probe.cpp" "$source/platform/win32/Clipboard.cpp" \
  "$source/platform/ClipboardFilter.cpp" -o "$work/probe.exe" -static -luser32 -lkernel32
"$compiler" "${flags[@]}" -fsyntax-only "$source/proj.win32/main.cpp"
echo "win32: 2 passed, 0 failed"
