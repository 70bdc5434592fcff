#!/usr/bin/env bash
# Runs every fuzz target (or the ones named) with libFuzzer and the address
# and undefined-behaviour sanitizers, for a time budget shared among them.
#   scripts/fuzz.sh [-j JOBS] [-r RUNS] SECONDS [target...]
# An input that runs longer than TDIALIX_FUZZ_TIMEOUT seconds (10) counts as
# a hang; give more where the fuzzers run at a low priority beside other work.
# Inputs grow up to TDIALIX_FUZZ_MAX_LEN bytes (16384); long inputs cost more
# per execution, so a campaign short of time may keep them to 4096.
# Each target runs until it has used its share of the budget or, with -r, has
# executed RUNS inputs in this call. New inputs that reach new code are merged
# into its corpus in fuzz/corpus/<target> (kept in the repository, replayed by
# scripts/test.sh); inputs that crash go to fuzz/crashes/<target>/, to be fixed
# and then added to the corpus. The executions of every call are added up per
# target in $TDIALIX_FUZZ_BUILD/executions.txt (default build-fuzz/), so a
# campaign can be continued in as many calls as the machine's time allows.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TDIALIX_FUZZ_BUILD:-$root/build-fuzz}
jobs=1
runs=-1
while getopts "j:r:" option; do
  case $option in
    j) jobs=$OPTARG ;;
    r) runs=$OPTARG ;;
    *) sed -n '2,15p' "$0"; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
if [ $# -lt 1 ]; then sed -n '2,15p' "$0"; exit 2; fi
budget=$1
shift

"$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTDIALIX_FUZZ=ON -DTDIALIX_WINDOWS=OFF \
  -DTDIALIX_BENCH=OFF -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  mapfile -t targets < <(sed -n '/set(TDIALIX_FUZZ_TARGETS/,/)/p' "$root/fuzz/CMakeLists.txt" |
    tr ' ()' '\n\n\n' | grep '_fuzz$')
fi
cmake --build "$build" --target "${targets[@]}"

deadline=$(( $(date +%s) + budget ))
tally=$build/executions.txt
touch "$tally"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

# One target: fuzz into a scratch corpus seeded from the kept one, then merge
# what is new into the kept one. Prints "<target> <executions> <status>".
fuzz_one() {
  local target=$1 share=$2 work=$build/fuzz-work/$1 log=$build/fuzz-logs/$1.log
  mkdir -p "$work" "$build/fuzz-logs" "$root/fuzz/crashes/$target" "$root/fuzz/corpus/$target"
  local status=0
  "$build/fuzz/$target" -max_total_time="$share" -runs="$runs" -max_len="${TDIALIX_FUZZ_MAX_LEN:-16384}" -timeout="${TDIALIX_FUZZ_TIMEOUT:-10}" -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$root/fuzz/crashes/$target/" \
    "$work" "$root/fuzz/corpus/$target" >"$log" 2>&1 || status=$?
  "$build/fuzz/$target" -merge=1 -max_len=16384 "$root/fuzz/corpus/$target" "$work" >>"$log.merge" 2>&1 || true
  local executed
  executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  echo "$target ${executed:-0} $status"
}
# A pool of JOBS runs. Each target starting gets the time left divided by the
# rounds still to come, so time a quick target leaves over goes to the others.
results=$build/fuzz-results.txt
: >"$results"
left=${#targets[@]}
for target in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  rounds=$(( (left + jobs - 1) / jobs ))
  share=$(( (deadline - $(date +%s)) / rounds ))
  [ "$share" -ge 1 ] || share=1
  fuzz_one "$target" "$share" >>"$results" &
  left=$((left - 1))
done
wait
failed=0
echo "target                executions (this run)   executions (all runs)   result"
while read -r target executed status; do
  before=$(awk -v t="$target" '$1 == t { print $2 }' "$tally")
  total=$(( ${before:-0} + executed ))
  grep -v "^$target " "$tally" >"$tally.new" || true
  echo "$target $total" >>"$tally.new"
  mv "$tally.new" "$tally"
  result=ok
  if [ "$status" -ne 0 ]; then result="FOUND (see $build/fuzz-logs/$target.log)"; failed=1; fi
  printf '%-21s %-23s %-23s %s\n' "$target" "$executed" "$total" "$result"
done <"$results"
exit $failed
