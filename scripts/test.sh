#!/usr/bin/env bash
# Builds everything and runs every test: the pure core's native tests and fuzz
# corpora, then the Win32 tests and whole-program tests under Wine, for the
# 64-bit program and, where this machine runs 32-bit programs, the 32-bit one.
#   scripts/test.sh [extra ctest arguments]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TDIALIX_BUILD:-$root/build}

"$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure --parallel 2 "$@" && status=0 || status=$?

. "$root/scripts/wine-env.sh"
if ! reason=$(wine32_usable); then
  echo "The 32-bit program's Wine tests were skipped: $reason."
fi
exit $status
