#!/bin/sh
# Starts or stops the Wine session that the Windows tests of one build run in:
# a virtual X display, the test prefix inside the build folder (win64 for the
# 64-bit program, win32 for the 32-bit one) and one resident wineserver.
#   wine-session.sh start|stop <session folder> <64|32>
set -eu
action=$1
dir=$2
TDIALIX_WINE_BITS=${3:-64}
. "$(dirname "$0")/../../scripts/wine-env.sh"
TDIALIX_PREFIX="$dir/prefix"

stop() {
  if [ -d "$TDIALIX_PREFIX" ]; then wine_server -k 2>/dev/null || true; fi
  if [ -f "$dir/xvfb.pid" ]; then
    kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true
    rm -f "$dir/xvfb.pid"
  fi
  rm -f "$dir/session.env"
}

case "$action" in
  stop) stop; exit 0 ;;
  start) ;;
  *) echo "usage: $0 start|stop <folder> <64|32>" >&2; exit 2 ;;
esac

stop
mkdir -p "$dir"

# A display of our own, so that tests never touch the user's desktop.
rm -f "$dir/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display" </dev/null >/dev/null 2>&1 &
echo $! >"$dir/xvfb.pid"
for _ in $(seq 100); do
  [ -s "$dir/display" ] && break
  sleep 0.1
done
[ -s "$dir/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
DISPLAY=":$(cat "$dir/display")"
export DISPLAY

wine_prefix_ready

# One resident server for the whole run: each program then starts in
# milliseconds instead of waiting for Wine to let go of the test's pipe.
wine_server -p </dev/null >/dev/null 2>&1
# Wine's own helper processes (services, the desktop window) start with the
# first program and live on; start them here, away from the tests' pipes.
wine_run wineboot </dev/null >/dev/null 2>&1
# The virtual display has no window manager: Wine keeps its windows to
# itself, draws their frames and captions, and hiding a dialog does not wait
# for a window manager to let it go.
wine_run reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1

printf 'DISPLAY=%s\nTDIALIX_WINE_BITS=%s\n' "$DISPLAY" "$TDIALIX_WINE_BITS" >"$dir/session.env"
