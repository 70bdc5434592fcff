#!/usr/bin/env bash
# Builds everything and runs every test: the pure core's native tests and fuzz
# corpora, then the Win32 tests and whole-program tests under Wine, for the
# 64-bit program and, where this machine runs 32-bit programs, the 32-bit one;
# then the native tests and corpora again in a sanitized build.
#   scripts/test.sh [extra ctest arguments]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TDIALIX_BUILD:-$root/build}

"$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure --parallel 2 "$@" && status=0 || status=$?

# The pure core's tests and the fuzz corpora once more, built with the address
# and undefined-behaviour sanitizers: a read past an end, an overflow or a
# value cast out of range fails them.
sanitized=$build/sanitized
# Optimised a little and with line tables only: it builds in about half the
# time of an optimised build with full debug information and still names the
# line of a fault.
cmake -S "$root" -B "$sanitized" -G Ninja -DCMAKE_BUILD_TYPE=None "-DCMAKE_CXX_FLAGS=-O1 -g1" -DTDIALIX_SANITIZE=ON \
  -DTDIALIX_WINDOWS=OFF -DTDIALIX_BENCH=OFF >/dev/null
cmake --build "$sanitized"
ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1} UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1} \
  ctest --test-dir "$sanitized" --output-on-failure --parallel 2 "$@" || status=$((status ? status : 1))

. "$root/scripts/wine-env.sh"
if ! reason=$(wine32_usable); then
  echo "The 32-bit program's Wine tests were skipped: $reason."
fi
exit $status
