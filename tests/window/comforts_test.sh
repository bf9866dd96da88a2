#!/usr/bin/env bash
# The desktop comforts in a real window under Xvfb, driven with xdotool as a user would: undo
# and redo keys, a click that places the cursor, the wheel over the tape, a double click on a
# tape line, F1, and the window's size kept from one run to the next (and a stored size that
# makes no sense ignored). The line is read back through the clipboard (Ctrl+C, then xclip);
# the help page is caught by an xdg-open of our own on the PATH.
#
# usage: comforts_test.sh PEMTRIX_BINARY
set -u
bin=$1
for tool in Xvfb xdotool xclip xwininfo; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (tools/install-deps --test installs it)"
    exit 0
  fi
done

work=$(mktemp -d)
xvfb=
calc=
failures=0
cleanup() {
  [[ -n $calc ]] && kill "$calc" 2>/dev/null
  [[ -n $xvfb ]] && kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL $*"
  failures=$((failures + 1))
}

# The opener the calculator runs for links: it notes the address.
mkdir "$work/bin"
cat >"$work/bin/xdg-open" <<EOF
#!/bin/sh
printf '%s\n' "\$1" >>"$work/opened"
EOF
chmod +x "$work/bin/xdg-open"

# A 1920x1080 screen without a window manager: a window has exactly the size it is given.
Xvfb -displayfd 3 -noreset -screen 0 1920x1080x24 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.05; done
export DISPLAY=":$(cat "$work/display")"

store="$work/store.db"
# The calculator on $store, focused; $window is its X window. A run on a fresh store starts
# with fresh_store.
fresh_store() { rm -f "$store"*; }
start_calc() {
  stop_calc
  PATH="$work/bin:$PATH" "$bin" --store "$store" 2>>"$work/stderr" &
  calc=$!
  # A program that cannot start shows no window: give up on it rather than wait forever.
  window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$calc" 2>/dev/null | head -n 1)
  if [[ -z $window ]]; then
    fail "the calculator showed no window"
    exit "$failures"
  fi
  xdotool windowfocus --sync "$window" 2>/dev/null
  sleep 0.2
}
# Ends it as a window manager's close button would.
stop_calc() {
  if [[ -n $calc ]]; then kill "$calc" 2>/dev/null; wait "$calc" 2>/dev/null; fi
  calc=
}

# The expression line, copied with Ctrl+C (an empty line copies the newest result).
line() {
  printf 'nothing copied' | xclip -selection clipboard
  sleep 0.1
  xdotool key ctrl+c
  sleep 0.2
  xclip -o -selection clipboard 2>/dev/null
}
expect_line() {  # expect_line WHAT EXPECTED
  local got
  got=$(line)
  [[ "$got" == "$2" ]] || fail "$1: the line is '$got', expected '$2'"
}
keys() { xdotool key --delay 60 "$@"; sleep 0.1; }

# Window pixels of a design point (800 x 1280 units, origin bottom-left) in the window as it
# is now, letterboxed or not.
pixel_of() {
  local geometry w h
  geometry=$(xwininfo -id "$window")
  w=$(awk '/Width:/ {print $2}' <<<"$geometry")
  h=$(awk '/Height:/ {print $2}' <<<"$geometry")
  awk -v w="$w" -v h="$h" -v x="$1" -v y="$2" 'BEGIN {
    s = w / 800 < h / 1280 ? w / 800 : h / 1280
    printf "%d %d\n", (w - 800 * s) / 2 + x * s + 0.5, (h - 1280 * s) / 2 + (1280 - y) * s + 0.5 }'
}
point_at() { read -r px py < <(pixel_of "$1" "$2"); xdotool mousemove --window "$window" "$px" "$py"; sleep 0.05; }
click_at() { point_at "$1" "$2"; xdotool click 1; sleep 0.15; }
double_click_at() { point_at "$1" "$2"; xdotool click --repeat 2 --delay 80 1; sleep 0.15; }
# The wheel over a design point: notches up (older lines) or down.
wheel_at() {  # wheel_at X Y up|down NOTCHES
  point_at "$1" "$2"
  xdotool click --repeat "$4" --delay 30 "$([[ $3 == up ]] && echo 4 || echo 5)"
  sleep 0.15
}
window_size() { xwininfo -id "$window" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}'; }

# The tape's lines in design units: line i is centred 30.79 + 61.57 i above the tape's bottom
# (894.94), six of them in view at rest. The expression line is centred at y 864.15.
tape_line_y() { awk -v i="$1" -v scrolled="${2:-0}" 'BEGIN { printf "%.1f\n", 894.94 + 30.79 + 61.57 * (i - scrolled) }'; }

fresh_store
start_calc

# --- undo and redo from the keyboard, after typing and after =.
xdotool type --delay 40 '6*7'
keys Return
keys ctrl+z
expect_line "Ctrl+Z after =" '6*7'
keys ctrl+shift+z
expect_line "Ctrl+Shift+Z after =" '42'  # the line is empty again: Ctrl+C copies the result
keys ctrl+z
xdotool type --delay 40 '+1'
expect_line "typing after the undo" '6*7+1'
keys ctrl+z
expect_line "Ctrl+Z after typing" '6*7'
keys ctrl+y
expect_line "Ctrl+Y" '6*7+1'

# --- a click in the line puts the cursor at the nearest gap: before the first character,
# after the second (digits are 26.7 units wide, from x 23.4), and past the end.
click_at 30 864.15
xdotool type '9'
click_at 82 864.15
xdotool type '5'
click_at 700 864.15
xdotool type '0'
expect_line "clicks in the line" '965*7+10'

# --- the wheel over the tape: with eight lines on it, the two oldest lie above the six in
# view until the wheel brings them down; a double click on a line inserts its text.
keys Escape
for e in 111+1 222+2 333+3; do xdotool type --delay 40 "$e"; keys Return; done
# The tape now holds =336 333+3 =224 222+2 =112 111+1 =42 6*7 (line 0 first).
double_click_at 200 "$(tape_line_y 0)"
expect_line "a double click on the newest result" '336'
keys Escape
wheel_at 400 1100 up 2
double_click_at 200 "$(tape_line_y 7 2)"
expect_line "a double click on a line the wheel brought into view" '6*7'
keys Escape
# Up past the top of the tape (14 lines up) and 12 down again is 2 lines up, not 10.
wheel_at 400 1100 up 20
wheel_at 400 1100 down 12
double_click_at 200 "$(tape_line_y 7 2)"
expect_line "the wheel stops at the top of the tape" '6*7'
keys Escape
wheel_at 400 1100 down 30
double_click_at 200 "$(tape_line_y 5)"
expect_line "the wheel back down to the newest lines" '111+1'
keys Escape
wheel_at 400 300 up 3  # over the keypad: the tape stays
double_click_at 200 "$(tape_line_y 5)"
expect_line "the wheel over the keypad" '111+1'

# --- F1 opens the help page.
rm -f "$work/opened"
keys F1
for _ in $(seq 40); do [[ -s $work/opened ]] && break; sleep 0.05; done
grep -q '^https://.*#HowToUse$' "$work/opened" 2>/dev/null || fail "F1 opened '$(cat "$work/opened" 2>/dev/null)'"

# --- the window's size: kept once a resize has settled, and when the window closes soon after
# one; the next run opens at it.
xdotool windowsize --sync "$window" 600 700
sleep 1
start_calc
[[ $(window_size) == 600x700 ]] || fail "a settled size: the next window measures $(window_size), expected 600x700"
xdotool windowsize --sync "$window" 520 900
sleep 0.1  # the window has its new size; the user closes it at once, before it has settled
stop_calc
start_calc
[[ $(window_size) == 520x900 ]] || fail "a size closed on: the next window measures $(window_size), expected 520x900"
stop_calc

# A stored size that makes no sense, or does not fit the screen (1904 x 1024 inside a frame),
# is ignored: the usual 480 x 768.
for stored in "setint winW 700|setint winH 1000|700x1000" "setint winW 0|setint winH 0|480x768" \
              "setint winW -600|setint winH 700|480x768" "setint winW 100000|setint winH 100000|480x768" \
              "setstr winW abc|setstr winH 700|480x768" "setint winW 1000|setint winH 1060|480x768" \
              "setint winW 100|setint winH 700|480x768"; do
  IFS='|' read -r first second expected <<<"$stored"
  fresh_store
  printf '%s\n%s\n' "$first" "$second" >"$work/set.script"
  "$bin" --headless --store "$store" --script "$work/set.script" || fail "cannot store '$stored'"
  start_calc
  [[ $(window_size) == "$expected" ]] || fail "stored '$first; $second': the window measures $(window_size), expected $expected"
done
stop_calc

if [[ -s $work/stderr ]] && grep -v '^pemtrix: no sound' "$work/stderr" | grep -q .; then
  echo "stderr of the calculator:"
  cat "$work/stderr"
fi
[[ $failures -eq 0 ]] && echo "comforts in a real window: all passed"
exit $failures
