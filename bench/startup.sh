#!/usr/bin/env bash
# Start-up and idle figures of the real game under Xvfb:
#  - time from process start to the first drawn frame of the main menu (median of N runs),
#  - CPU use while idling in the main menu for 10 seconds,
#  - peak resident memory.
# Usage: bench/startup.sh [runs]   (after ./scripts/setup.sh has built the game)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
runs="${1:-7}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -r "$root/data" "$work/data"
rm -f "$work/data/settings.lua" "$work/data/stats"

run_game() {  # replay file, time output file
  (cd "$work/data" && KORVANMIRE_REPLAY="$1" KORVANMIRE_TIMING=1 SDL_AUDIODRIVER=dummy \
    xvfb-run -a -s "-screen 0 1024x768x24" /usr/bin/time -v -o "$2" "$root/build/korvanmire" -w 2>"$work/stderr.log")
}

echo "1 lua ExitGame()" > "$work/exit.replay"
times=()
for _ in $(seq "$runs"); do
  run_game "$work/exit.replay" "$work/time.txt"
  times+=("$(grep -o 'first frame drawn [0-9.]* ms' "$work/stderr.log" | grep -o '[0-9.]*' | head -1)")
done
median=$(printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')
echo "start-up to first main-menu frame: median ${median} ms over ${runs} runs (${times[*]})"

echo "300 lua ExitGame()" > "$work/idle.replay"
run_game "$work/idle.replay" "$work/idle.txt"
user=$(awk -F': ' '/User time/ {print $2}' "$work/idle.txt")
system=$(awk -F': ' '/System time/ {print $2}' "$work/idle.txt")
elapsed=$(awk -F': ' '/Elapsed \(wall clock\)/ {print $2}' "$work/idle.txt" | awk -F: '{ if (NF==3) print $1*3600+$2*60+$3; else print $1*60+$2 }')
peak=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/idle.txt")
awk -v u="$user" -v s="$system" -v e="$elapsed" -v p="$peak" 'BEGIN {
  printf "idle main menu, 300 frames: %.2f s wall, %.2f s CPU = %.1f%% of one core\n", e, u + s, 100 * (u + s) / e
  printf "peak resident memory: %.1f MiB\n", p / 1024 }'
