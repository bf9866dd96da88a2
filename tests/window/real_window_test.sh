#!/usr/bin/env bash
# The calculator in a real window under Xvfb, used the way people use it: typing on several
# keyboard layouts, rolled-over keys, the numeric keypad, a held key, the desktop's
# clipboard through Ctrl+C and Ctrl+V, taps at any window size, a laptop's small screen and a
# HiDPI desktop. The line is read back through the clipboard (Ctrl+C, then xclip).
#
# usage: real_window_test.sh PEMTRIX_BINARY
set -u
bin=$1
source "$(dirname "$0")/window_support.sh" setxkbmap /usr/bin/python3
if ! /usr/bin/python3 -c 'import Xlib' 2>/dev/null; then
  echo "SKIP: python3-xlib is not installed"
  exit 0
fi

# The calculator on a fresh store, focused; $window is its X window.
start_calc() {
  stop_calc
  rm -f "$work"/store.db*
  "$bin" --store "$work/store.db" 2>>"$work/stderr" &
  calc=$!
  window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$calc" 2>/dev/null | head -n 1)
  [[ -n $window ]] || { fail "the calculator showed no window"; exit "$failures"; }
  xdotool windowfocus --sync "$window" 2>/dev/null
  sleep 0.2
}

# The key that carries the keysym (with NumLock off for keypad keys: KP_Home is the 7 key).
keycode() { /usr/bin/python3 -c "from Xlib import XK, display; print(display.Display().keysym_to_keycode(XK.string_to_keysym('$1')))"; }
numlock_on() { /usr/bin/python3 -c "from Xlib import display; print(1 if display.Display().screen().root.query_pointer().mask & 0x10 else 0)"; }

start_x 1920x1080x24

# --- typing on four layouts: the characters the layout types are what goes in.
for layout in us de fr jp; do
  setxkbmap "$layout"
  start_calc
  xdotool type --delay 20 '(1+2)*3/4'
  expect_line "$layout layout" '(1+2)*3/4'
  xdotool key Escape
  xdotool type --delay 20 'sqrt(2)+sin(30deg)'
  expect_line "$layout layout" 'sqrt(2)+sin(30deg)'
done
setxkbmap us

# --- rolled-over keys keep the order they were pressed in.
start_calc
xdotool keydown 1 keydown 2 keyup 1 keydown 3 keyup 2 keyup 3
expect_line "rolled-over keys" '123'

# --- the keypad: digits and operators with NumLock on, editing keys with it off.
xdotool key Escape
[[ $(numlock_on) == 1 ]] || xdotool key "$(keycode Num_Lock)"
for k in KP_End KP_Add KP_Down KP_Multiply KP_Next KP_Delete KP_Begin KP_Subtract KP_Divide; do
  xdotool key "$(keycode "$k")"
done
expect_line "keypad with NumLock" '1+2*3.5-/'
xdotool key "$(keycode Num_Lock)"
[[ $(numlock_on) == 0 ]] || fail "NumLock did not go off"
# The 7 key is Home, the decimal key Delete, 1 End, 4 the left arrow.
for k in KP_Home KP_Delete KP_End KP_Left KP_Left KP_Delete; do xdotool key "$(keycode "$k")"; done
expect_line "keypad without NumLock" '+2*3.5/'
xdotool key "$(keycode Num_Lock)"

# --- a held key repeats as the system repeats it.
xdotool key Escape
xdotool type --delay 5 '123456789012345678901234567890'
xdotool keydown BackSpace
sleep 1.3
xdotool keyup BackSpace
left=$(line)
if (( ${#left} < 2 || ${#left} > 28 )); then fail "holding BackSpace left '$left'"; fi

# --- the desktop's clipboard both ways.
xdotool key Escape
printf '6*7\n' | xclip -selection clipboard
xdotool key ctrl+v
xdotool key Return
printf 'nothing copied' | xclip -selection clipboard
xdotool key ctrl+c
sleep 0.2
got=$(xclip -o -selection clipboard)
[[ $got == 42 ]] || fail "Ctrl+V then = then Ctrl+C on the empty line gave '$got', expected 42"
printf '1+1' | xclip -selection clipboard
xdotool key shift+Insert
expect_line "Shift+Insert" '1+1'

# --- taps land on their keys at any size, letterboxed or not: "7" then "8".
tap_key() {  # tap_key DESIGN_X DESIGN_Y: a click where the key is in the window now
  local geometry w h
  geometry=$(xwininfo -id "$window")
  w=$(awk '/Width:/ {print $2}' <<<"$geometry")
  h=$(awk '/Height:/ {print $2}' <<<"$geometry")
  read -r px py < <(/usr/bin/python3 -c "
s = min($w / 800, $h / 1280)
print(round(($w - 800 * s) / 2 + $1 * s), round(($h - 1280 * s) / 2 + (1280 - $2) * s))")
  xdotool mousemove --window "$window" "$px" "$py" click 1
  sleep 0.1
}
xdotool key Escape
tap_key 92.5 408.870178
xdotool windowsize --sync "$window" 700 600
sleep 0.3
tap_key 246.25 408.870178
xdotool windowsize --sync "$window" 300 900
sleep 0.3
tap_key 400 408.870178
expect_line "taps at three window sizes" '789'
stop_calc

# --- a laptop's screen: the whole window is on it.
start_x 1366x768x24
start_calc
geometry=$(xwininfo -id "$window")
x=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$geometry")
y=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$geometry")
w=$(awk '/Width:/ {print $2}' <<<"$geometry")
h=$(awk '/Height:/ {print $2}' <<<"$geometry")
if (( x < 0 || y < 0 || x + w > 1366 || y + h > 768 )); then
  fail "on a 1366x768 screen the window lies at ${x},${y} and measures ${w}x${h}"
fi
tap_key 707.5 71.802887  # "=", in the bottom row
xdotool type 2+3
xdotool key Return
expect_line "the bottom row on a small screen" '5'
stop_calc

# --- a HiDPI desktop (text at 192 dpi): the window opens twice as large.
start_x 2560x1600x24
/usr/bin/python3 -c "
from Xlib import display, Xatom
d = display.Display()
d.screen().root.change_property(d.intern_atom('RESOURCE_MANAGER'), Xatom.STRING, 8, b'Xft.dpi:\t192\n')
d.sync()"
start_calc
w=$(xwininfo -id "$window" | awk '/Width:/ {print $2}')
h=$(xwininfo -id "$window" | awk '/Height:/ {print $2}')
[[ $w == 960 && $h == 1536 ]] || fail "on a 192 dpi desktop the window measures ${w}x${h}, expected 960x1536"
stop_x

if [[ -s $work/stderr ]] && grep -v '^pemtrix: no sound' "$work/stderr" | grep -q .; then
  echo "stderr of the calculator:"
  cat "$work/stderr"
fi
[[ $failures -eq 0 ]] && echo "real window: all passed"
exit $failures
