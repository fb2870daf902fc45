#!/usr/bin/env bash
# Ten minutes of automatic play at the uncapped rate: the real game under Xvfb
# (24-bit screen) with the automatic player and no frame sleep. Every 10 s it
# samples the game's resident memory and live world objects (from the status
# lines the automatic player writes), then prints the growth after the first
# minute and any error lines of the console log and stderr.
# Usage: bench/soak.sh [seconds]   (default 600; after ./scripts/setup.sh)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-600}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -r "$root/data" "$work/data"
rm -f "$work/data/settings.lua" "$work/data/stats"

start_game() {
  (cd "$work/data" && SDL_AUDIODRIVER=dummy KORVANMIRE_CONSOLE_LOG="$work/console.log" \
    timeout --kill-after=10 "$((seconds + 60))" \
    "$root/scripts/xvfb-run.sh" "$root/build/korvanmire" -w --autoplay --fast --quit-after "$seconds" \
    2>"$work/stderr.log") &
  game=$!
}
# A virtual X server started at the same moment as another one may fail: try again.
for attempt in 1 2 3; do
  start_game
  sleep 5
  grep -q "open X11 display" "$work/stderr.log" || break
  wait "$game" || true
  echo "run $attempt: no X display, trying again" >&2
done

echo "time_s frame objects rss_kib"
: > "$work/samples.txt"
for ((t = 10; t <= seconds; t += 10)); do
  sleep $((t == 10 ? 5 : 10))
  kill -0 "$game" 2>/dev/null || break
  last=$(grep '^autoplay: status ' "$work/stderr.log" | tail -1 || true)
  [ -n "$last" ] || continue
  echo "$last" | awk -v t="$t" '{ print t, $4, $6, $8 }' | tee -a "$work/samples.txt"
done
wait "$game" || echo "(the game ended with status $?)"

awk '
{ t[NR] = $1; obj[NR] = $3; rss[NR] = $4 }
END {
  if (NR < 2) { print "not enough samples"; exit }
  base = 0
  for (i = 1; i <= NR; i++) if (t[i] >= 60) { base = i; break }
  if (!base) base = 1
  maxObj = 0; maxRss = 0
  for (i = base; i <= NR; i++) { if (obj[i] > maxObj) maxObj = obj[i]; if (rss[i] > maxRss) maxRss = rss[i] }
  printf "after the first minute (t=%d s): rss %d KiB -> %d KiB at the end (%+.1f%%), peak %d KiB (%+.1f%%)\n",
    t[base], rss[base], rss[NR], 100 * (rss[NR] - rss[base]) / rss[base], maxRss, 100 * (maxRss - rss[base]) / rss[base]
  printf "live objects: %d at t=%d s, %d at the end, peak %d\n", obj[base], t[base], obj[NR], maxObj
}' "$work/samples.txt"
# Levels differ in size: the live objects compared level by level, where each
# level was first seen and at its last sample (a replayed level starts afresh).
grep '^autoplay: status ' "$work/stderr.log" | awk '
$6 > 10 { level = $12; if (!(level in first)) { first[level] = $6; order[++n] = level } last[level] = $6; if ($6 > peak[level]) peak[level] = $6 }
END { printf "live objects by level (first, last, peak):"; for (i = 1; i <= n; i++) printf " %s %d %d %d;", order[i], first[order[i]], last[order[i]], peak[order[i]]; print "" }'
levels=$(grep -c '^autoplay: level ' "$work/stderr.log" || true)
echo "levels finished: $levels"
errors=$( (grep -ih 'error' "$work/console.log" "$work/stderr.log" 2>/dev/null || true) | (grep -v '^autoplay:' || true) | sort | uniq -c | sort -rn)
if [ -n "$errors" ]; then echo "error lines:"; echo "$errors" | head -20; else echo "error lines: none"; fi
