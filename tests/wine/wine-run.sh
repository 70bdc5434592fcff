#!/bin/sh
# Runs a Windows program in the test session's Wine: its own prefix and
# display, a Japanese locale, the loader of the session's bitness.
#   wine-run.sh <session folder> <program.exe> [arguments...]
dir=$1
shift
if [ ! -f "$dir/session.env" ]; then
  echo "wine-run: no Wine test session in $dir (run its wine<bits>.session.start test first)" >&2
  exit 2
fi
. "$(dirname "$0")/../../scripts/wine-env.sh"
. "$dir/session.env"
export DISPLAY
TDIALIX_PREFIX="$dir/prefix"
wine_run "$@"
