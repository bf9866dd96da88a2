# Sourced by the Windows tests: a Wine of their own in a temporary folder, removed on exit.
#
#   source tests/windows/wine-env.sh      # exits 77 (skipped) when wine is not installed
#   wine_env_start                         # makes the prefix; the first start takes seconds
#   wine some.exe args...                  # runs in the prefix, nothing of the user's touched
#
# Nothing leaves the folder: no desktop menu entries, no .NET or Gecko installers, no session
# bus, and HOME is inside it too. wineserver is stopped and the folder removed at exit (kept
# when WINE_ENV_KEEP is set, to look at what a failed test left).

command -v wine >/dev/null 2>&1 || { echo "wine is not installed: skipped"; exit 77; }

WINE_ENV_DIR=$(mktemp -d "${TMPDIR:-/tmp}/pemtrix-wine.XXXXXX")
export WINEPREFIX=$WINE_ENV_DIR/prefix
export HOME=$WINE_ENV_DIR/home
export DBUS_SESSION_BUS_ADDRESS=disabled:
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
export WINEDEBUG=-all
export WINEARCH=win64
unset DISPLAY WAYLAND_DISPLAY
mkdir -p "$HOME"

wine_env_stop() {
  # Only this prefix's server: other Wine users on the machine keep theirs.
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  [[ -n ${WINE_ENV_KEEP:-} ]] || rm -rf "$WINE_ENV_DIR"
}
trap wine_env_stop EXIT

# Creates the prefix and keeps its server running until wine_env_stop, so that the programs
# of one test run share one registry and do not each pay for a server's start.
wine_env_start() {
  wineboot -i >/dev/null 2>&1 || { echo "wine: cannot create a prefix in $WINEPREFIX" >&2; return 1; }
  wineserver -p >/dev/null 2>&1 || true
}
