# Sourced by the real-window tests: a work folder and an X server of their own, failures
# counted, and the expression line read back through the desktop's clipboard.
#
#   source tests/window/window_support.sh TOOL...   # exits 0 (skipped) when a tool is missing
#   start_x 1920x1080x24                           # a fresh Xvfb; DISPLAY points at it
#   fail "what went wrong"; exit "$failures"
#
# A test sets $calc to the calculator's process id; stop_calc and the exit trap end it.

for tool in Xvfb xdotool xclip xwininfo "$@"; do
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

# A fresh X server of the given screen size, without a window manager: a window has exactly
# the size it is given.
start_x() {
  stop_x
  Xvfb -displayfd 3 -noreset -screen 0 "$1" 3>"$work/display" 2>/dev/null &
  xvfb=$!
  for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.05; done
  export DISPLAY=":$(cat "$work/display")"
  # A known layout to type on; a test that wants another sets it.
  if command -v setxkbmap >/dev/null; then setxkbmap us; fi
}
stop_x() {
  stop_calc
  if [[ -n $xvfb ]]; then kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; fi
  xvfb=
  : >"$work/display"
}
# Ends the calculator as a window manager's close button would.
stop_calc() {
  if [[ -n $calc ]]; then kill "$calc" 2>/dev/null; wait "$calc" 2>/dev/null; fi
  calc=
}

# The expression line, copied with Ctrl+C (an empty line copies the newest result; a line that
# is not there leaves the sentinel).
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
