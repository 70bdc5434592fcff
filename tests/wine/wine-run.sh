#!/bin/sh
# Runs a Windows program in the test session's Wine: its own prefix and
# display, a Japanese locale.
#   wine-run.sh <session folder> <program.exe> [arguments...]
dir=$1
shift
if [ ! -f "$dir/session.env" ]; then
  echo "wine-run: no Wine test session in $dir (run the wine.session.start test first)" >&2
  exit 2
fi
. "$(dirname "$0")/../../scripts/wine-env.sh"
. "$dir/session.env"
export DISPLAY
TDIALIX_PREFIX="$dir/prefix"
wine_env wine "$@"
