#!/usr/bin/env bash
# The Windows program's window under a Wine of its own on a virtual display with a window
# manager, driven the way a user drives it: typing on US, German, French and Japanese layouts,
# the numeric keypad with NumLock on and off, Ctrl+C and Ctrl+V through the desktop's
# clipboard, clicks on the keypad at two window sizes, the wheel over the tape (up, down and
# sideways), and a restart on the same store that keeps the history and the window's size. The
# line is read back through the clipboard (Ctrl+C, then xclip); the store through a headless
# run's dump. Exits 77 (skipped) when the cross compiler, Wine or a tool of the virtual display
# is missing.
# usage: window_test.sh SOURCE_DIR WINDOWS_BUILD_DIR
set -u
source_dir=$(cd "$1" && pwd)
build_dir=$(cd "$2" 2>/dev/null && pwd || echo "$2")
exe=$build_dir/pemtrix.exe

command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 ||
  { echo "the mingw-w64 cross compiler is not installed: skipped"; exit 77; }
for tool in Xvfb openbox xdotool xclip setxkbmap xwininfo; do
  command -v "$tool" >/dev/null 2>&1 || { echo "$tool is not installed: skipped"; exit 77; }
done
/usr/bin/python3 -c 'import Xlib' 2>/dev/null || { echo "python3-xlib is not installed: skipped"; exit 77; }
source "$source_dir/tests/windows/wine-env.sh"
"$source_dir/tools/build-windows" "$build_dir" >"$WINE_ENV_DIR/build.log" 2>&1 ||
  { tail -n 40 "$WINE_ENV_DIR/build.log"; exit 1; }
work=$WINE_ENV_DIR/work
mkdir -p "$work"

xvfb= wm= calc=
failures=0
stop_all() {
  stop_calc
  [[ -n $wm ]] && kill "$wm" 2>/dev/null
  [[ -n $xvfb ]] && kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
  wine_env_stop
}
trap stop_all EXIT
fail() {
  echo "FAIL $*"
  failures=$((failures + 1))
}

# A virtual screen with a window manager: without one Wine takes seconds to close a window.
Xvfb -displayfd 3 -noreset -screen 0 1920x1080x24 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.05; done
[[ -s $work/display ]] || { echo "FAIL Xvfb did not start"; exit 1; }
export DISPLAY=":$(cat "$work/display")"
openbox >/dev/null 2>&1 &
wm=$!
setxkbmap us
# The prefix is made with the display there: Wine's desktop process, started with it, is what
# windows are made on, and one started without a display has none to give.
wine_env_start || exit 1

# True once the program has ended; a finished Wine process may stay a zombie until reaped.
calc_ended() {
  local state
  state=$(ps -o stat= -p "$calc" 2>/dev/null) || return 0
  [[ -z $state || $state == Z* ]]
}
# The program on STORE (a registry name), focused once its window is there; $window is its X
# window. Every wait is bounded.
start_calc() {
  stop_calc
  wine "$exe" --store "$1" >>"$work/stdout" 2>>"$work/stderr" &
  calc=$!
  window=
  for _ in $(seq 150); do
    window=$(xdotool search --onlyvisible --name '^Pemtrix version' 2>/dev/null | head -n 1)
    [[ -n $window ]] && break
    calc_ended && break
    sleep 0.1
  done
  [[ -n $window ]] || { fail "no window appeared"; cat "$work/stderr"; return 1; }
  timeout 10 xdotool windowactivate --sync "$window" 2>/dev/null || fail "the window cannot be focused"
  sleep 0.3
}
# Ctrl+Q, as a user closes it; killed if it has not ended within ten seconds.
stop_calc() {
  [[ -n $calc ]] || return 0
  calc_ended || xdotool key ctrl+q 2>/dev/null
  for _ in $(seq 100); do calc_ended && break; sleep 0.1; done
  calc_ended || { fail "the program did not end on Ctrl+Q"; kill "$calc" 2>/dev/null; }
  wait "$calc" 2>/dev/null
  calc=
}

# The expression line, copied with Ctrl+C (the newest result when the line is empty); a line
# that was not copied leaves the sentinel.
line() {
  local got
  printf 'nothing copied' | xclip -selection clipboard
  sleep 0.1
  xdotool key ctrl+c
  for _ in $(seq 30); do
    got=$(timeout 2 xclip -o -selection clipboard 2>/dev/null)
    [[ $got != 'nothing copied' ]] && break
    sleep 0.1
  done
  printf '%s' "$got"
}
expect_line() {  # expect_line WHAT EXPECTED
  local got
  got=$(line)
  [[ "$got" == "$2" ]] || fail "$1: the line is '$got', expected '$2'"
}
keys() { xdotool key --delay 60 "$@"; sleep 0.2; }
# The key that carries the keysym, and whether NumLock is on.
keycode() { /usr/bin/python3 -c "from Xlib import XK, display; print(display.Display().keysym_to_keycode(XK.string_to_keysym('$1')))"; }
numlock_on() { /usr/bin/python3 -c "from Xlib import display; print(1 if display.Display().screen().root.query_pointer().mask & 0x10 else 0)"; }
window_size() { xwininfo -id "$window" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}'; }

# Window pixels of a design point (800 x 1280 units, origin bottom-left) in the window as it
# is now, letterboxed or not. The X window Wine makes for a managed window is its client area.
pixel_of() {
  local size
  size=$(window_size)
  awk -v w="${size%x*}" -v h="${size#*x}" -v x="$1" -v y="$2" 'BEGIN {
    s = w / 800 < h / 1280 ? w / 800 : h / 1280
    printf "%d %d\n", (w - 800 * s) / 2 + x * s + 0.5, (h - 1280 * s) / 2 + (1280 - y) * s + 0.5 }'
}
point_at() { read -r px py < <(pixel_of "$1" "$2"); xdotool mousemove --window "$window" "$px" "$py"; sleep 0.05; }
click_at() { point_at "$1" "$2"; xdotool click 1; sleep 0.2; }
double_click_at() { point_at "$1" "$2"; xdotool click --repeat 2 --delay 80 1; sleep 0.2; }
wheel_at() {  # wheel_at X Y up|down|left|right NOTCHES
  local -A button=([up]=4 [down]=5 [left]=6 [right]=7)
  point_at "$1" "$2"
  xdotool click --repeat "$4" --delay 40 "${button[$3]}"
  sleep 0.2
}
# A digest of the tape's pixels once they have stopped changing (at most two seconds).
tape_digest() {
  local left top right bottom last= now
  read -r left top < <(pixel_of 15.625 1264.375)
  read -r right bottom < <(pixel_of 768.75 894.94)
  for _ in $(seq 10); do
    now=$(/usr/bin/python3 -c "
import hashlib
from Xlib import X, display
w = display.Display().create_resource_object('window', $window)
print(hashlib.md5(w.get_image($left, $top, $right - $left, $bottom - $top, X.ZPixmap, 0xffffffff).data).hexdigest())")
    [[ $now == "$last" ]] && break
    last=$now
    sleep 0.2
  done
  echo "$now"
}
# The keypad's columns and rows (screens/CalculatorLayout.h), and the tape's lines: line i is
# centred 30.79 + 61.57 i above the tape's bottom, six in view at rest.
column_x() { local c=(92.5 246.25 400 553.75 707.5); echo "${c[$1]}"; }
row_y() { local r=(408.870178 296.514435 184.158661 71.802887); echo "${r[$1]}"; }
tape_line_y() { awk -v i="$1" -v scrolled="${2:-0}" 'BEGIN { printf "%.1f\n", 894.94 + 30.79 + 61.57 * (i - scrolled) }'; }

store=window-test
start_calc "$store" || exit 1
[[ $(xdotool getwindowname "$window") == "Pemtrix version1.000" ]] ||
  fail "the title is '$(xdotool getwindowname "$window")'"
[[ $(window_size) == 480x768 ]] || fail "the window opens at $(window_size), expected 480x768"

# --- typing: what the layout types goes in; = evaluates onto the tape.
xdotool type --delay 40 '12+3='
expect_line "12+3= typed, then Ctrl+C on the empty line" '15'
xdotool type --delay 40 'sqrt(2)*(1+2)'
expect_line "typed text" 'sqrt(2)*(1+2)'
keys Escape

# --- the keypad: digits and operators with NumLock on, editing keys with it off.
[[ $(numlock_on) == 1 ]] || xdotool key "$(keycode Num_Lock)"
for k in KP_End KP_Add KP_Down KP_Multiply KP_Next KP_Delete KP_Begin KP_Subtract KP_Divide; do
  xdotool key "$(keycode "$k")"
done
expect_line "keypad with NumLock" '1+2*3.5-/'
xdotool key "$(keycode Num_Lock)"
# The 7 key is Home, the decimal key Delete, 1 End, 4 the left arrow.
for k in KP_Home KP_Delete KP_End KP_Left KP_Left KP_Delete; do xdotool key "$(keycode "$k")"; done
expect_line "keypad without NumLock" '+2*3.5/'
xdotool key "$(keycode Num_Lock)"
keys Escape
for k in KP_2 KP_Multiply KP_3 KP_Enter; do xdotool key "$(keycode "$k")"; done
expect_line "the keypad's Enter evaluates" '6'

# --- the desktop's clipboard into the line.
printf '6*7' | xclip -selection clipboard
keys ctrl+v
expect_line "Ctrl+V" '6*7'
keys Return
printf '1+1' | xclip -selection clipboard
keys shift+Insert
expect_line "Shift+Insert" '1+1'
keys Escape

# --- clicks on the keypad at its own size and letterboxed: 7, 8, 9, then + 1 =.
click_at "$(column_x 0)" "$(row_y 0)"
xdotool windowsize --sync "$window" 700 600
sleep 0.5
click_at "$(column_x 1)" "$(row_y 0)"
click_at "$(column_x 2)" "$(row_y 0)"
expect_line "clicks on 7, 8 and 9 at two sizes" '789'
click_at "$(column_x 3)" "$(row_y 2)"
click_at "$(column_x 0)" "$(row_y 2)"
click_at "$(column_x 4)" "$(row_y 3)"
expect_line "clicks on +, 1 and =" '790'

# --- the wheel over the tape: with eight lines more on it, up two notches brings the two
# lines above the view down; a double click on the top line of the view inserts its text.
for i in 1 2 3 4 5 6 7 8; do xdotool type --delay 20 "$i*$i="; done
sleep 0.3
double_click_at 200 "$(tape_line_y 1)"
expect_line "a double click on a tape line" '8*8'
keys Escape
wheel_at 400 1100 up 2
double_click_at 200 "$(tape_line_y 3 2)"
expect_line "a double click on a line the wheel brought into view" '7*7'
keys Escape
wheel_at 400 1100 down 10
double_click_at 200 "$(tape_line_y 1)"
expect_line "the wheel back down to the newest lines" '8*8'
keys Escape
wheel_at 400 300 up 3  # over the keypad: the tape stays
double_click_at 200 "$(tape_line_y 1)"
expect_line "the wheel over the keypad" '8*8'
keys Escape
sleep 0.7  # the size is kept once resizing has settled for half a second

# --- a restart on the same store: the history and the window's size are kept.
stop_calc
printf 'dump\n' >"$work/dump.script"
dump=$(wine "$exe" --headless --store "$store" --script "$work/dump.script" 2>>"$work/stderr")
grep -q '"history":\["64","8\*8","49","7\*7"' <<<"$dump" || fail "the store after Ctrl+Q holds: $dump"
start_calc "$store" || exit 1
[[ $(window_size) == 700x600 ]] || fail "the window reopens at $(window_size), expected the kept 700x600"
keys Up
expect_line "the newest entry recalled after the restart" '64'
keys Escape

# --- the wheel sideways (buttons 6 and 7): a line wider than the tape comes into view, and
# goes back.
xdotool type --delay 20 '123456789012345678901234567890+1='
before=$(tape_digest)
wheel_at 400 1100 right 3
moved=$(tape_digest)
wheel_at 400 1100 left 3
back=$(tape_digest)
[[ $moved != "$before" ]] || fail "the wheel to the right did not move the tape"
[[ $back == "$before" ]] || fail "the wheel back to the left did not bring the tape back"
stop_calc

# --- other layouts: what they type goes in, wherever their keys put the characters. Wine
# reads the layout when a program starts.
for layout in de fr jp; do
  setxkbmap "$layout"
  start_calc "layout-$layout" || continue
  xdotool type --delay 40 '(1+2)*3/4'
  expect_line "$layout layout" '(1+2)*3/4'
  keys Escape
  xdotool type --delay 40 'sqrt(2)+sin(30deg)'
  expect_line "$layout layout" 'sqrt(2)+sin(30deg)'
  stop_calc
done
setxkbmap us

# --- Alt+F4 closes the window, as everywhere on Windows.
start_calc "alt-f4" || exit 1
xdotool key alt+F4
for _ in $(seq 100); do calc_ended && break; sleep 0.1; done
calc_ended || fail "Alt+F4 did not close the window"
stop_calc

if [[ -s $work/stderr ]] && grep -v '^pemtrix: no sound\|^ALSA lib' "$work/stderr" | grep -q .; then
  echo "stderr of the program:"
  grep -v '^ALSA lib' "$work/stderr"
fi
[[ $failures -eq 0 ]] && echo "the window under Wine: all passed"
exit $((failures > 0))
