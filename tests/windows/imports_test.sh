#!/usr/bin/env bash
# pemtrix.exe needs nothing but Windows: it imports only the system's own DLLs (no C++, GCC or
# threads runtime of the compiler's), is a windowed-application program, and has the
# system's exploit protections on. Exits 77 (skipped) when the cross compiler is missing.
# usage: imports_test.sh SOURCE_DIR WINDOWS_BUILD_DIR
set -u
source_dir=$(cd "$1" && pwd)
build_dir=$2
objdump=x86_64-w64-mingw32-objdump
command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 && command -v $objdump >/dev/null 2>&1 ||
  { echo "the mingw-w64 cross compiler is not installed: skipped"; exit 77; }
log=$(mktemp)
trap 'rm -f "$log"' EXIT
"$source_dir/tools/build-windows" "$build_dir" >"$log" 2>&1 || { tail -n 40 "$log"; exit 1; }

headers=$($objdump -p "$build_dir/pemtrix.exe") || { echo "FAIL: objdump cannot read pemtrix.exe"; exit 1; }
passed=0 failed=0
check() {  # check WHAT CONDITION...
  local what=$1
  shift
  if "$@"; then passed=$((passed + 1)); else echo "FAIL $what"; failed=$((failed + 1)); fi
}

# What Windows 10 and 11 have, lower case: the Win32 API, the C runtime of the system, and
# the DLLs that the display, imaging and sound parts of a backend call.
system='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comctl32|comdlg32|shcore|'
system+='windowscodecs|msacm32|mfplat|mfreadwrite|mf|winmm|dwmapi|uxtheme|imm32|version|'
system+='msvcrt|ucrtbase|api-ms-win-crt-[a-z0-9-]+|api-ms-win-core-[a-z0-9-]+)\.dll$'
mapfile -t dlls < <(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | sort -u)
echo "imports: ${dlls[*]}"
check "imports some DLL" test ${#dlls[@]} -gt 0
for dll in "${dlls[@]}"; do
  check "imports $dll, which is not part of Windows" grep -Eq "$system" <<<"$dll"
done
check "windowed-application subsystem" grep -q 'Subsystem.*(Windows GUI)' <<<"$headers"
for flag in DYNAMIC_BASE NX_COMPAT HIGH_ENTROPY_VA; do
  check "DllCharacteristics $flag" grep -q "^\s*$flag\$" <<<"$headers"
done
echo "imports: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
