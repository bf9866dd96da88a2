#!/usr/bin/env bash
# The Windows installer (make package-windows) under a Wine of its own, as a user meets it:
# silent installs into the default folder and into a folder named with blanks, a reinstall
# over an install, the files, the Start menu shortcut and the entry of Settings > Apps, the
# installed program running and writing its store, and silent uninstalls that take away what
# the install put there and nothing else (the store, a file of the user's in the folder). Also
# the installer file itself: a 64-bit program under 3 MB whose version is the program's.
# Exits 77 (skipped) when the cross compiler, NSIS or Wine is missing.
# usage: installer_test.sh SOURCE_DIR WINDOWS_BUILD_DIR
set -u
source_dir=$(cd "$1" && pwd)
build_dir=$2

command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 ||
  { echo "the mingw-w64 cross compiler is not installed: skipped"; exit 77; }
command -v makensis >/dev/null 2>&1 || { echo "makensis (NSIS) is not installed: skipped"; exit 77; }
source "$source_dir/tests/windows/wine-env.sh"
log=$WINE_ENV_DIR/build.log
"$source_dir/tools/build-windows" "$build_dir" >"$log" 2>&1 || { tail -n 40 "$log"; exit 1; }
setup=$("$source_dir/packaging/windows/make-installer" "$build_dir" 2>>"$log") || { tail -n 40 "$log"; exit 1; }
wine_env_start || exit 1
work=$WINE_ENV_DIR/work
mkdir -p "$work"
# A copy in a folder whose name has no blanks: the installer's path goes through cmd unquoted.
cp "$setup" "$work/" && setup=$work/$(basename "$setup")

passed=0 failed=0
check() {  # check WHAT COMMAND...: passes when the command succeeds
  local what=$1
  shift
  if "$@"; then passed=$((passed + 1)); else echo "FAIL $what"; failed=$((failed + 1)); fi
}
same() {  # same WHAT GOT WANTED
  if [[ $2 == "$3" ]]; then passed=$((passed + 1)); else
    echo "FAIL $1: '$2', wanted '$3'"
    failed=$((failed + 1))
  fi
}
now() { date +%s.%N; }
seconds_since() { awk -v start="$1" -v end="$(now)" 'BEGIN { printf "%.1f", end - start }'; }

# --- The installer file -----------------------------------------------------------------------

size=$(stat -c %s "$setup")
echo "installer: $size bytes, pemtrix.exe $(stat -c %s "$build_dir/pemtrix.exe") bytes"
check "installer of $size bytes, not under 3 MB" test "$size" -lt 3000000

# The PE header: the machine is x86-64 and the optional header PE32+ (a 32-bit installer would
# not even start under a 64-bit-only Wine).
u16() { od -An -tu2 -j "$2" -N2 "$1" | tr -d ' '; }
pe=$(od -An -tu4 -j60 -N4 "$setup" | tr -d ' ')
same "PE signature" "$(od -An -c -j "$pe" -N4 "$setup" | tr -d ' ')" 'PE\0\0'
same "machine (0x8664 is x86-64)" "$(u16 "$setup" $((pe + 4)))" 34404
same "optional header (0x20b is PE32+)" "$(u16 "$setup" $((pe + 24)))" 523

# The version resources: the installer's fixed version numbers and ProductVersion text are
# pemtrix.exe's, so that the two cannot drift apart when the version changes.
version_of() {
  python3 - "$1" <<'EOF'
import struct, sys
data = open(sys.argv[1], "rb").read()
fixed = data.find(struct.pack("<I", 0xFEEF04BD))
file_ms, file_ls = struct.unpack_from("<II", data, fixed + 8)
key = "ProductVersion\0".encode("utf-16-le")
text = data.find(key) + len(key)
text += (4 - text % 4) % 4  # values start on a 32-bit boundary
value = data[text:text + 64].decode("utf-16-le", "replace").split("\0")[0]
print(f"{file_ms >> 16}.{file_ms & 0xFFFF}.{file_ls >> 16}.{file_ls & 0xFFFF} {value}")
EOF
}
program_version=$(version_of "$build_dir/pemtrix.exe")
same "installer version resource" "$(version_of "$setup")" "$program_version"

# icon_in ICO EXE: every image of the icon file is in the program's resources, byte for byte
# (NSIS keeps the PNG entries as they are), so Explorer shows the program's icon, not NSIS's.
icon_in() {
  python3 - "$1" "$2" <<'EOF'
import struct, sys
icon, program = (open(name, "rb").read() for name in sys.argv[1:3])
count = struct.unpack_from("<H", icon, 4)[0]
images = [struct.unpack_from("<II", icon, 6 + 16 * i + 8) for i in range(count)]
sys.exit(0 if count and all(icon[offset:offset + size] in program for size, offset in images) else 1)
EOF
}
check "the installer has pemtrix.ico's images" icon_in "$build_dir/pemtrix.ico" "$setup"

# --- Helpers for one install --------------------------------------------------------------------

# Windows' names of the folders, and where Wine keeps them.
windows_env() { wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r'; }
local_appdata=$(windows_env LOCALAPPDATA)
programs_win="$(windows_env APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs"
shortcut="$(winepath -u "$programs_win" 2>/dev/null)/Pemtrix.lnk"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Pemtrix'
[[ -n $local_appdata && $shortcut == /* ]] || { echo "FAIL cannot find the prefix's folders"; exit 1; }

declare -A entry  # the Uninstall key's values: entry[NAME]=VALUE
read_entry() {
  entry=()
  local line
  while IFS= read -r line; do
    line=${line%$'\r'}
    [[ $line =~ ^\ {4}([^ ]+)\ {4}(REG_[A-Z_]+)\ {4}(.*)$ ]] || continue
    entry[${BASH_REMATCH[1]}]=${BASH_REMATCH[3]}
  done < <(wine reg query "$uninstall_key" 2>/dev/null)
}
has_entry() { wine reg query "$uninstall_key" >/dev/null 2>&1; }

# install ARGUMENTS: runs the installer silently; its command line goes through cmd, as /D=
# must be the last argument and unquoted even when the folder's name has blanks (Wine would
# quote it). Installing is done when the installer exits.
install() {
  local start
  start=$(now)
  timeout 120 wine cmd /c "$(winepath -w "$setup") /S $*" >"$work/install.out" 2>&1
  local status=$?
  install_seconds=$(seconds_since "$start")
  same "installer $* exit status" "$status" 0
}

# uninstall: runs the QuietUninstallString of the Uninstall key. The uninstaller copies itself
# to the temporary folder, starts the copy and exits at once; the copy removes the Uninstall
# key last, so the key's absence says it has finished. At most a minute.
uninstall() {
  local start command program
  start=$(now)
  read_entry
  command=${entry[QuietUninstallString]:-}
  [[ $command =~ ^\"([^\"]+)\"\ /S$ ]] || { check "QuietUninstallString '$command' is \"PROGRAM\" /S" false; return; }
  program=${BASH_REMATCH[1]}
  timeout 60 wine "$program" /S >"$work/uninstall.out" 2>&1
  same "uninstaller exit status" "$?" 0
  local deadline=$((SECONDS + 60))
  while has_entry && ((SECONDS < deadline)); do sleep 0.3; done
  uninstall_seconds=$(seconds_since "$start")
  check "the Uninstall key is removed within a minute" test "$(has_entry && echo left)" != left
}

# check_installed FOLDER WINDOWS_FOLDER: the program, its resources and the uninstaller, and
# nothing else the install put there; the shortcut; the Uninstall key; the program runs.
check_installed() {
  local dir=$1 win=$2
  check "pemtrix.exe installed as built" cmp -s "$dir/pemtrix.exe" "$build_dir/pemtrix.exe"
  check "resources installed as built" diff -r "$dir/resources" "$build_dir/resources"
  check "uninstall.exe installed, with pemtrix.ico's images" icon_in "$build_dir/pemtrix.ico" "$dir/uninstall.exe"
  same "what the folder holds" "$(ls "$dir" | tr '\n' ' ')" "pemtrix.exe resources uninstall.exe "

  check "Start menu shortcut $shortcut" test -f "$shortcut"
  # A shell link keeps its target's path in the link information, in the ANSI code page.
  check "the shortcut points to $win\\pemtrix.exe" grep -qaF "$win\\pemtrix.exe" "$shortcut"

  read_entry
  same "DisplayName" "${entry[DisplayName]:-}" Pemtrix
  same "DisplayVersion" "${entry[DisplayVersion]:-}" "${program_version#* }"
  check "Publisher" test -n "${entry[Publisher]:-}"
  same "DisplayIcon" "${entry[DisplayIcon]:-}" "$win\\pemtrix.exe"
  same "InstallLocation" "${entry[InstallLocation]:-}" "$win"
  same "UninstallString" "${entry[UninstallString]:-}" "\"$win\\uninstall.exe\""
  same "QuietUninstallString" "${entry[QuietUninstallString]:-}" "\"$win\\uninstall.exe\" /S"
  same "NoModify" "${entry[NoModify]:-}" 0x1
  same "NoRepair" "${entry[NoRepair]:-}" 0x1
  # In KB: the files' sizes, give or take the rounding.
  local files_kb=$(find "$dir" -type f -printf '%s\n' | awk '{ bytes += $1 } END { print int(bytes / 1024) }')
  local estimated=$((${entry[EstimatedSize]:-0}))
  check "EstimatedSize $estimated KB, the files have $files_kb KB" test $((estimated - files_kb)) -ge -2 -a $((estimated - files_kb)) -le 2

  same "installed --version" "$(wine "$dir/pemtrix.exe" --version 2>&1)" "pemtrix ${program_version#* }"
  same "installed --eval 2*21" "$(wine "$dir/pemtrix.exe" --eval '2*21' 2>&1)" 42
}

# check_uninstalled FOLDER: the install's files, shortcut and key are gone; the store is not.
check_uninstalled() {
  local dir=$1
  check "pemtrix.exe removed" test ! -e "$dir/pemtrix.exe"
  check "resources removed" test ! -e "$dir/resources"
  check "uninstall.exe removed" test ! -e "$dir/uninstall.exe"
  check "shortcut removed" test ! -e "$shortcut"
  check "Uninstall key removed" test "$(has_entry && echo left)" != left
  same "the store's CommaSep after uninstalling" \
    "$(wine reg query 'HKCU\Software\Pemtrix' /v CommaSep 2>/dev/null | tr -d '\r' | awk '$1 == "CommaSep" { print $3 }')" 0x0
}

# --- Into the default folder, per user -----------------------------------------------------

default_win="$local_appdata\\Programs\\Pemtrix"
default_dir=$(winepath -u "$default_win" 2>/dev/null)
install
echo "silent install: $install_seconds s"
check_installed "$default_dir" "$default_win"

# The installed program finds its images and sound beside it (a headless script draws the
# keypad and says nothing on standard error) and writes the user's store: digit grouping off.
printf 'setint CommaSep 0\ntext 1+2=\nframes 3\ndump\n' >"$work/store.script"
wine "$default_dir/pemtrix.exe" --headless --script "$(winepath -w "$work/store.script")" \
  >"$work/script.out" 2>"$work/script.err"
same "installed --script exit status" "$?" 0
check "installed --script: nothing on standard error ($(head -c 300 "$work/script.err"))" test ! -s "$work/script.err"
check "installed --script: the history holds 3" grep -q '"history":\["3"' "$work/script.out"
same "the store, grouping off" "$(wine "$default_dir/pemtrix.exe" --eval 1000 2>&1)" 1000

# Over the install: a damaged program is replaced and an image no longer shipped goes; the
# store stays as it was.
printf 'damaged' >>"$default_dir/pemtrix.exe"
printf 'old' >"$default_dir/resources/images/retired.png"
install
check_installed "$default_dir" "$default_win"
same "the store after reinstalling" "$(wine "$default_dir/pemtrix.exe" --eval 1000 2>&1)" 1000

# While the program runs, its file cannot be replaced: the install stops with an error status
# rather than reporting success around the old program, and what is installed still works.
mkfifo "$work/input"
timeout 60 wine "$default_dir/pemtrix.exe" --eval - <"$work/input" >"$work/running.out" 2>&1 &
runner=$!
exec 7>"$work/input"
for _ in $(seq 100); do  # until Wine's loader has mapped the program, at most 10 s
  child=$(pgrep -P "$runner")
  [[ -n $child ]] && grep -qs 'Programs/Pemtrix/pemtrix.exe' "/proc/$child/maps" && break
  sleep 0.1
done
timeout 120 wine "$setup" /S >"$work/install.out" 2>&1
check "reinstalling while the program runs fails" test $? -ne 0
echo '6*7' >&7
exec 7>&-
wait "$runner"
same "the running program, fed after the failed install" "$(cat "$work/running.out")" 42
check_installed "$default_dir" "$default_win"

uninstall
echo "silent uninstall: $uninstall_seconds s"
check_uninstalled "$default_dir"
check "the empty folder removed" test ! -e "$default_dir"

# --- Into a folder of the user's choice, whose name has blanks -------------------------------

chosen_win='C:\Pemtrix apps\Calc 1'
chosen_dir=$(winepath -u "$chosen_win" 2>/dev/null)
install "/D=$chosen_win"
check_installed "$chosen_dir" "$chosen_win"
check "nothing in the default folder" test ! -e "$default_dir"
same "a new install sees the store the uninstall kept" "$(wine "$chosen_dir/pemtrix.exe" --eval 1000 2>&1)" 1000
# A reinstall without /D goes where the last install went.
install
check_installed "$chosen_dir" "$chosen_win"
check "nothing in the default folder after reinstalling" test ! -e "$default_dir"
# A file of the user's keeps the folder and itself.
printf 'mine' >"$chosen_dir/notes.txt"
uninstall
check_uninstalled "$chosen_dir"
same "what is left in the folder" "$(ls "$chosen_dir" 2>&1)" notes.txt

echo "windows installer: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
