#!/usr/bin/env bash
# Screenshots of the sample styles for the README: the 64-bit program under
# Wine on a virtual display with a backdrop, started once with each style
# file in styles/. Writes docs/style-<name>.png.
#   scripts/style-screenshots.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TDIALIX_BUILD:-$root/build}

. "$root/scripts/wine-env.sh"
build_win64 "$root" "$build"
# The 64-bit program in a win64 prefix of its own.
TDIALIX_WINE_BITS=64
TDIALIX_PREFIX="$build/run-prefix"

xvfb_pid=
program=
cleanup() {
  wine_server -k 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT
start_virtual_display
wine_prefix_ready

# A desktop to show the clocks on: their translucency and shadows need one.
backdrop=$(mktemp --suffix=.png)
convert -size 1280x800 gradient:'#6A9CC8'-'#2C4E78' "$backdrop"
# (display says it failed even where it sets the backdrop.)
display -window root "$backdrop" || true
rm -f "$backdrop"

for style in "$root"/styles/*.dlx; do
  name=$(basename "$style" .dlx)
  # A style path with "/" would count as a switch: the Windows form.
  wine_run "$exe" "Z:${style//\//\\}" </dev/null >/dev/null 2>&1 &
  program=$!
  clock=
  for _ in $(seq 60); do
    clock=$(xdotool search --name '^TDialix - ' 2>/dev/null | head -n 1) && [ -n "$clock" ] && break
    kill -0 "$program" 2>/dev/null || break
    sleep 0.5
  done
  if [ -z "$clock" ]; then
    echo "$name: no clock appeared" >&2
    wine_server -k 2>/dev/null || true
    continue
  fi
  # Let the digits' animations settle; the clock window that shows them is
  # the one there now (a window found while the program starts may be gone).
  sleep 3
  X= Y= WIDTH= HEIGHT=
  for clock in $(xdotool search --name '^TDialix - ' 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$clock" 2>/dev/null)" && [ -n "$WIDTH" ] && break
  done
  if [ -z "$WIDTH" ]; then
    echo "$name: the clock window went away" >&2
    wine_server -k 2>/dev/null || true
    continue
  fi
  margin=16
  left=$((X > margin ? X - margin : 0))
  top=$((Y > margin ? Y - margin : 0))
  shot="$root/docs/style-$name.png"
  import -window root -crop "$((WIDTH + 2 * margin))x$((HEIGHT + 2 * margin))+$left+$top" +repage "$shot"
  echo "$name: $shot"
  wine_server -k 2>/dev/null || true
  wait "$program" 2>/dev/null || true
  program=
done
