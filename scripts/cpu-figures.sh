#!/usr/bin/env bash
# What the clock costs while it runs: TDialix beside the least a clock with a
# layered window costs under Wine (bench/win/layered_floor_win.cpp: a window
# of the clock's size pushed once a second) and beside a plain X clock
# (xclock), all three on one virtual 1920x1080 display for the same minute.
# Each Wine program has a prefix and a wineserver of its own, so that the
# server's share is told apart. Two runs: the default style with seconds, and
# with seconds, fade-cross digits and a smoothly flashing colon.
#   scripts/cpu-figures.sh [seconds per run, 60] [TDialix.exe to measure]
# Installs what it needs (x11-apps for xclock and bc, through scripts/deps.sh) and
# builds the 64-bit program and the floor program first. CPU figures are
# noisy where other work runs: the load average is printed before and after.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TDIALIX_BUILD:-$root/build}
seconds=${1:-60}
exe=${2:-$build/win64/src/TDialix.exe}
floor=$build/win64/bench/win/layered_floor.exe

"$root/scripts/deps.sh" x11-apps bc
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target win64 >/dev/null
. "$root/scripts/wine-env.sh"
TDIALIX_WINE_BITS=64
hz=$(getconf CLK_TCK)
work=$build/cpu-figures
mkdir -p "$work"

started=()
cleanup() {
  for prefix in "$work/program" "$work/floor"; do
    TDIALIX_PREFIX=$prefix wine_server -k 2>/dev/null || true
  done
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT

display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$display_file" </dev/null >/dev/null 2>&1 &
started+=($!)
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$display_file")"
rm -f "$display_file"
for prefix in "$work/program" "$work/floor"; do
  TDIALIX_PREFIX=$prefix wine_prefix_ready
done

# The process under pid (itself or a descendant) whose command line matches
# the pattern: the shell functions that start Wine programs run them as children.
find_process() {
  local queue=("$1") pid
  for _ in $(seq 100); do
    queue=("$1")
    while [ ${#queue[@]} -gt 0 ]; do
      pid=${queue[0]}
      queue=("${queue[@]:1}")
      if tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -q -- "$2"; then
        echo "$pid"
        return
      fi
      queue+=($(pgrep -P "$pid" || true))
    done
    sleep 0.1
  done
  echo "$1"
}

# The CPU time of a process so far, user and system, in milliseconds.
cpu_ms() {
  local stat
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || { echo 0; return; }
  stat=${stat##*) }
  set -- $stat
  echo $(((${12} + ${13}) * 1000 / hz))
}

# One run: the three side by side with the style given as extra style-file lines.
run() {
  local title=$1 design=$2
  local settings="$work/program/drive_c/users/${USER:-$(id -un)}/AppData/Roaming/Team Orvane/TDialix"
  rm -rf "$settings"
  mkdir -p "$settings"
  printf '[General]\r\nVersion=TeamOrvaneTDialix2\r\n[Design]\r\nShowSecond=1\r\n%b' "$design" >"$settings/Default.dlx"

  TDIALIX_PREFIX=$work/program wine_server -f -p &
  local program_server=$!
  started+=($program_server)
  TDIALIX_PREFIX=$work/floor wine_server -f -p &
  local floor_server=$!
  started+=($floor_server)
  sleep 1
  TDIALIX_PREFIX=$work/program wine_run "$exe" </dev/null >/dev/null 2>&1 &
  local program=$!
  started+=($program)
  # The floor takes the clock's size once the clock shows.
  local size="557 111"
  for _ in $(seq 60); do
    local clock
    clock=$(xdotool search --name '^TDialix - ' 2>/dev/null | head -1 || true)
    if [ -n "$clock" ]; then
      eval "$(xdotool getwindowgeometry --shell "$clock")"
      size="$WIDTH $HEIGHT"
      break
    fi
    sleep 0.5
  done
  TDIALIX_PREFIX=$work/floor wine_run "$floor" $size </dev/null >/dev/null 2>&1 &
  local floor_program=$!
  started+=($floor_program)
  xclock -digital -update 1 -strftime '%H:%M:%S' -geometry +40+600 >/dev/null 2>&1 &
  local xclock=$!
  started+=($xclock)
  sleep 8  # everything has started and settled

  local pids=("$(find_process "$program" 'TDialix.exe')" "$(find_process "$program_server" wineserver)"
              "$(find_process "$floor_program" 'layered_floor.exe')" "$(find_process "$floor_server" wineserver)" "$xclock")
  local before=() after=()
  for pid in "${pids[@]}"; do before+=("$(cpu_ms "$pid")"); done
  sleep "$seconds"
  for pid in "${pids[@]}"; do after+=("$(cpu_ms "$pid")"); done
  local d=()
  for i in "${!pids[@]}"; do d+=($((after[i] - before[i]))); done

  echo
  echo "$title: CPU in $seconds s, side by side on one display (ms; window ${size/ /x})"
  printf '  %-34s %8s %12s %8s %12s\n' "" "own" "wineserver" "total" "of a core"
  line() { printf '  %-34s %8d %12s %8d %11.2f%%\n' "$1" "$2" "$3" "$4" "$(echo "$4 * 100 / ($seconds * 1000)" | bc -l)"; }
  line "TDialix" "${d[0]}" "${d[1]}" $((d[0] + d[1]))
  line "layered window at 1 Hz (the floor)" "${d[2]}" "${d[3]}" $((d[2] + d[3]))
  line "xclock" "${d[4]}" "-" "${d[4]}"
  ratio() { if [ "$2" -gt 0 ]; then echo "scale=2; $1 / $2" | bc; else echo "-"; fi; }
  echo "  TDialix / floor: own $(ratio "${d[0]}" "${d[2]}"), with wineserver $(ratio $((d[0] + d[1])) $((d[2] + d[3])))"
  echo "  TDialix / xclock: own $(ratio "${d[0]}" "${d[4]}"), with wineserver $(ratio $((d[0] + d[1])) "${d[4]}")"

  kill "$xclock" 2>/dev/null || true
  for prefix in "$work/program" "$work/floor"; do TDIALIX_PREFIX=$prefix wine_server -k 2>/dev/null || true; done
  wait "$program" "$floor_program" "$program_server" "$floor_server" "$xclock" 2>/dev/null || true
}

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
run "Default style with seconds" ""
run "Seconds, fade-cross digits, smooth colon" 'AnimationType=7\r\nFlashColonType=3\r\nFlashColonSmooth=1\r\n'
echo
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
