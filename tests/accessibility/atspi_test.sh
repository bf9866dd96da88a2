#!/usr/bin/env bash
# The windowed program as a screen reader meets it: on a virtual display with a private session
# bus, first without an accessibility bus (nothing of the accessibility module may load), then
# with one (the AT-SPI bus launcher and registry), where atspi_check.py drives it through
# AT-SPI alone. Exits 77 (skipped) when the tools are missing.
# usage: atspi_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
python=/usr/bin/python3  # the system Python, which has gi and pyatspi
launcher=/usr/libexec/at-spi-bus-launcher
registry=/usr/libexec/at-spi2-registryd

skip() { echo "atspi_test: skipped: $*"; exit 77; }
command -v Xvfb >/dev/null || skip "Xvfb is not installed (xvfb)"
command -v dbus-run-session >/dev/null || skip "dbus-run-session is not installed (dbus-bin)"
[[ -x $launcher && -x $registry ]] || skip "the AT-SPI bus and registry are not installed (at-spi2-core)"
[[ -x $python ]] && $python -c 'import pyatspi' 2>/dev/null || skip "pyatspi is not installed (python3-pyatspi)"
[[ -f $build/libpemtrix-a11y.so ]] || skip "the accessibility module was not built (libatk1.0-dev, libatk-bridge2.0-dev)"

work=$(mktemp -d)
xvfb_pid=
cleanup() {
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# A display of our own: Xvfb picks a free number and writes it to the descriptor.
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1024x800x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r -t 10 number <"$work/display" || { cat "$work/xvfb.log"; echo "atspi_test: Xvfb did not start"; exit 1; }

mkdir -m 700 "$work/runtime"
export DISPLAY=":$number" XDG_RUNTIME_DIR="$work/runtime" HOME="$work"
export LANG=C.UTF-8 LC_ALL=C.UTF-8 LANGUAGE=en SDL_AUDIODRIVER=dummy
unset AT_SPI_BUS_ADDRESS NO_AT_BRIDGE DBUS_SESSION_BUS_ADDRESS
# GLib, ATK and the bus libraries keep allocations for the life of the process.
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$here/lsan-suppressions.txt:print_suppressions=0"

dbus-run-session -- "$python" -u "$here/atspi_check.py" --launcher "$launcher" --registry "$registry" \
  "$build/pemtrix" "$work" 2> >(grep -v "Failed to set fd limit" >&2)
