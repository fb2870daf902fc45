#!/usr/bin/env bash
# The whole campaign played by the automatic player: the real game under Xvfb
# (24-bit screen), from "new game" through the ten levels, frames without
# sleeping. One line per level, then "gates reached: N/10".
# A death is counted (and listed before the table) and the level begun again through the main
# menu's "continue", as a person would; on "hard", where a death ends the campaign, the run ends
# there. A level the player cannot finish within its frame limit is given up ("no") and the next
# one follows. Per level the table also gives the curve of difficulty: the health lost per minute
# of play, the shots per kill and the deaths.
# The run's random seed and difficulty are printed first; give them again to play the same run.
# Usage: bench/campaign.sh [minutes [seed [difficulty]]]   (default 19 minutes, a seed from the
#        clock, "normal"; after ./scripts/setup.sh)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
minutes="${1:-19}"
seed="${2:-$(date +%s)}"
difficulty="${3:-normal}"
case "$difficulty" in easy|normal|hard) ;; *) echo "difficulty: easy, normal or hard, not \"$difficulty\"" >&2; exit 2 ;; esac
echo "seed: $seed difficulty: $difficulty"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -r "$root/data" "$work/data"
rm -f "$work/data/settings.lua" "$work/data/stats" "$work/data/campaign"
# A new game is played at the difficulty of the settings.
echo "settings.difficulty = \"$difficulty\"" > "$work/data/settings.lua"

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
# The game's own lines (status every few hundred frames) stay for a look afterwards.
cp "$work/stderr.log" "$root/build/campaign-$seed-$difficulty.log" 2>/dev/null || true

# Each death: where, beside what, with which rounds and items.
grep '^autoplay: death ' "$work/stderr.log" | sed 's/^autoplay: //' || true
grep '^autoplay: level ' "$work/stderr.log" | awk -v elapsed="$elapsed" '
BEGIN {
  printf "%-8s %-5s %7s %6s %5s %6s %8s %6s %8s %6s\n", "level", "gate", "frames", "health", "kills", "shots",
    "accuracy", "deaths", "lost/min", "shots/kill"
}
{
  # autoplay: level NAME gate G frames F health H kills K shots S hits T deaths D lost L
  for (i = 2; i < NF; i += 2) v[$i] = $(i + 1)
  accuracy = v["shots"] > 0 ? sprintf("%.0f%%", 100 * v["hits"] / v["shots"]) : "-"
  lostPerMinute = v["frames"] > 0 ? sprintf("%.1f", v["lost"] / (v["frames"] / 1800)) : "-"
  shotsPerKill = v["kills"] > 0 ? sprintf("%.1f", v["shots"] / v["kills"]) : "-"
  printf "%-8s %-5s %7d %6d %5d %6d %8s %6d %8s %10s\n", v["level"], v["gate"], v["frames"], v["health"], v["kills"],
    v["shots"], accuracy, v["deaths"], lostPerMinute, shotsPerKill
  if (v["gate"] == "yes") gates++
  deaths += v["deaths"]
  levels++
}
END {
  for (i = levels + 1; i <= 10; i++) printf "%-8s %-5s %7s %6s %5s %6s %8s %6s %8s %10s\n", "level" i, "no", "-", "-", "-", "-", "-", "-", "-", "-"
  printf "wall time: %d s\n", elapsed
  printf "deaths: %d\n", deaths
  printf "gates reached: %d/10\n", gates
}'
