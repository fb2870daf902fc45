#!/usr/bin/env bash
# The whole campaign played by the automatic player: the real game under Xvfb
# (24-bit screen), from "new game" through the ten levels, frames without
# sleeping. One line per level, then "gates reached: N/10".
# A death starts the level again and is counted (and listed before the table); a level the player cannot
# finish within its frame limit is given up ("no") and the next one follows.
# The run's random seed is printed first; give it again to play the same run.
# Usage: bench/campaign.sh [minutes [seed]]   (default 19 minutes, a seed from the clock;
#        after ./scripts/setup.sh)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
minutes="${1:-19}"
seed="${2:-$(date +%s)}"
echo "seed: $seed"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -r "$root/data" "$work/data"
rm -f "$work/data/settings.lua" "$work/data/stats"

start=$(date +%s)
# A virtual X server started at the same moment as another one may fail: try again.
for attempt in 1 2 3; do
  (cd "$work/data" && SDL_AUDIODRIVER=dummy KORVANMIRE_SEED="$seed" \
    timeout --kill-after=10 "$((minutes * 60))" \
    "$root/scripts/xvfb-run.sh" "$root/build/korvanmire" -w --autoplay --fast --autoplay-levels 10 \
    2>"$work/stderr.log") || echo "(the game did not end by itself: $? after $(( $(date +%s) - start )) s)"
  grep -q "open X11 display" "$work/stderr.log" || break
  echo "run $attempt: no X display, trying again" >&2
  sleep 1
  start=$(date +%s)
done
elapsed=$(( $(date +%s) - start ))

# Each death: where, beside what, with which rounds and items.
grep '^autoplay: death ' "$work/stderr.log" | sed 's/^autoplay: //' || true
grep '^autoplay: level ' "$work/stderr.log" | awk -v elapsed="$elapsed" '
BEGIN {
  printf "%-8s %-5s %7s %6s %5s %6s %8s %6s\n", "level", "gate", "frames", "health", "kills", "shots", "accuracy", "deaths"
}
{
  # autoplay: level NAME gate G frames F health H kills K shots S hits T deaths D
  for (i = 2; i < NF; i += 2) v[$i] = $(i + 1)
  accuracy = v["shots"] > 0 ? sprintf("%.0f%%", 100 * v["hits"] / v["shots"]) : "-"
  printf "%-8s %-5s %7d %6d %5d %6d %8s %6d\n", v["level"], v["gate"], v["frames"], v["health"], v["kills"], v["shots"], accuracy, v["deaths"]
  if (v["gate"] == "yes") gates++
  levels++
}
END {
  for (i = levels + 1; i <= 10; i++) printf "%-8s %-5s %7s %6s %5s %6s %8s %6s\n", "level" i, "no", "-", "-", "-", "-", "-", "-"
  printf "wall time: %d s\n", elapsed
  printf "gates reached: %d/10\n", gates
}'
