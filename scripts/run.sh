#!/usr/bin/env bash
# Builds what is missing and starts the clock: on Linux under Wine, with the
# built-in default style. On a desktop it opens on your display and runs until
# you end it; without a display it runs on a virtual one, writes a screenshot
# a few seconds after the clock appears, prints where it is, and ends.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TDIALIX_BUILD:-$root/build}

. "$root/scripts/wine-env.sh"
build_win64 "$root" "$build"
# The 64-bit program in a win64 prefix of its own.
TDIALIX_WINE_BITS=64
TDIALIX_PREFIX="$build/run-prefix"

xvfb_pid=
cleanup() {
  wine_server -k 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  wine_prefix_ready
  echo "Starting TDialix on $DISPLAY"
  wine_run "$exe" "$@"
  exit $?
fi

# No desktop: a virtual display, and a screenshot to show what it looks like.
trap cleanup EXIT
start_virtual_display
wine_prefix_ready

echo "No display found: starting TDialix on the virtual display $DISPLAY"
wine_run "$exe" "$@" </dev/null >/dev/null 2>&1 &
program=$!
for _ in $(seq 60); do
  xdotool search --name '^TDialix' >/dev/null 2>&1 && break
  kill -0 "$program" 2>/dev/null || break
  sleep 0.5
done
sleep 3
shot="$build/tdialix-screenshot.png"
import -window root "$shot"
echo "Screenshot of the clock: $shot"

# And one with the popup menu open: a right click on a lit pixel of the clock
# (the clock takes the pointer only where it is drawn).
clock=$(xdotool search --name '^TDialix - ' 2>/dev/null | head -1)
if [ -n "$clock" ]; then
  eval "$(xdotool getwindowgeometry --shell "$clock")"
  # The lower half of the clock, clear of anything that may cover its top.
  half=$((HEIGHT / 2))
  lit=$(convert "$shot" -crop "${WIDTH}x${half}+${X}+$((Y + half))" +repage txt:- 2>/dev/null |
        awk -F'[,:]' '/#FFFFFF/ && !found { print $1, $2; found = 1 }' || true)
  if [ -n "$lit" ]; then
    set -- $lit
    xdotool mousemove $((X + $1)) $((Y + half + $2)) click 3
    sleep 2
    menu_shot="$build/tdialix-menu.png"
    import -window root "$menu_shot"
    echo "Screenshot with the popup menu: $menu_shot"
    xdotool key Escape
  fi
fi
if kill -0 "$program" 2>/dev/null; then
  kill "$program" 2>/dev/null || true
else
  wait "$program" && status=0 || status=$?
  echo "TDialix ended by itself (exit code $status)"
fi
