#!/usr/bin/env bash
# Start-up and idle figures of the real game under Xvfb:
#  - time from process start to the first drawn frame of the main menu (median of N runs),
#  - time from choosing "new game" to the first drawn frame of level 1 (median of N runs),
#  - CPU use while idling in the main menu for 10 seconds,
#  - peak resident memory.
# Usage: bench/startup.sh [runs] [build dir]   (after ./scripts/setup.sh has built the game)
# SCREEN=1920x1080 runs it full screen on a virtual screen of that size, as a
# player starts the game; without it the game runs in its 640 x 480 window.
# The game runs from a copy of the data directory of the build's own source tree.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
runs="${1:-7}"
window=(-w)
if [ -n "${SCREEN:-}" ]; then
  window=()
  export KORVANMIRE_XVFB_SCREEN="$SCREEN"
fi
build="$(cd "${2:-$root/build}" && pwd)"
source_dir="$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$build/CMakeCache.txt")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -r "${source_dir:-$root}/data" "$work/data"
rm -f "$work/data/settings.lua" "$work/data/stats"

run_game() {  # replay file, time output file
  # A virtual X server started at the same moment as another one may fail: try again.
  for attempt in 1 2 3; do
    if (cd "$work/data" && KORVANMIRE_REPLAY="$1" KORVANMIRE_TIMING=1 SDL_AUDIODRIVER=dummy \
      "$root/scripts/xvfb-run.sh" /usr/bin/time -v -o "$2" "$build/korvanmire" "${window[@]}" 2>"$work/stderr.log"); then
      return 0
    fi
    echo "run $attempt failed: $(tail -1 "$work/stderr.log")" >&2
    sleep 1
  done
  return 1
}

median() {
  printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'
}

echo "1 lua ExitGame()" > "$work/exit.replay"
times=()
for _ in $(seq "$runs"); do
  run_game "$work/exit.replay" "$work/time.txt"
  times+=("$(grep -o 'first frame drawn [0-9.]* ms' "$work/stderr.log" | grep -o '[0-9.]*' | head -1 || true)")
done
echo "start-up to first main-menu frame: median $(median "${times[@]}") ms over ${runs} runs (${times[*]})"

# "new game" is the first entry of the main menu.
printf '10 press return\n40 lua ExitGame()\n' > "$work/newgame.replay"
times=()
for _ in $(seq "$runs"); do
  rm -f "$work/data/settings.lua" "$work/data/stats"
  run_game "$work/newgame.replay" "$work/time.txt"
  times+=("$(grep -o 'entered state game, first frame drawn [0-9.]* ms' "$work/stderr.log" | grep -o '[0-9.]*' | head -1 || true)")
done
echo "new game to first level frame: median $(median "${times[@]}") ms over ${runs} runs (${times[*]})"

echo "300 lua ExitGame()" > "$work/idle.replay"
run_game "$work/idle.replay" "$work/idle.txt"
user=$(awk -F': ' '/User time/ {print $2}' "$work/idle.txt")
system=$(awk -F': ' '/System time/ {print $2}' "$work/idle.txt")
elapsed=$(awk -F': ' '/Elapsed \(wall clock\)/ {print $2}' "$work/idle.txt" | awk -F: '{ if (NF==3) print $1*3600+$2*60+$3; else print $1*60+$2 }')
peak=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/idle.txt")
awk -v u="$user" -v s="$system" -v e="$elapsed" -v p="$peak" 'BEGIN {
  printf "idle main menu, 300 frames: %.2f s wall, %.2f s CPU = %.1f%% of one core\n", e, u + s, 100 * (u + s) / e
  printf "peak resident memory: %.1f MiB\n", p / 1024 }'
