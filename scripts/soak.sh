#!/usr/bin/env bash
# The soak run under Wine: the 64-bit master window through a simulated day
# with an animated sample style (every minute's change of the day, frame by
# frame, the tick driven as fast as it runs), 1,000 style loads and each
# dialog opened and closed 100 times, printing the process's memory and GDI
# and USER object counts as it goes. Fails when the memory grew by more than
# 1 MB after the warm-up, objects were lost or the clock did not show the
# simulated time.
#   scripts/soak.sh [seconds of frames at each minute (2)] [style loads (1000)] [rounds per dialog (100)]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TDIALIX_BUILD:-$root/build}

. "$root/scripts/wine-env.sh"
build_win64 "$root" "$build"
cmake --build "$build/win64" --target soak_win
session=$build/win64/soak-session
"$root/tests/wine/wine-session.sh" start "$session" 64 >/dev/null
trap '"$root/tests/wine/wine-session.sh" stop "$session" 64' EXIT
"$root/tests/wine/wine-run.sh" "$session" "$build/win64/tests/win/soak_win.exe" "Z:${root//\//\\}\\styles\\" "$@"
