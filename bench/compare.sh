#!/usr/bin/env bash
# Runs the benchmarks of two builds side by side, alternating between them in
# every round so that both see the same load, and prints each figure's median
# over the rounds and the ratio new / old.
# Usage: bench/compare.sh OLD_BUILD_DIR NEW_BUILD_DIR [rounds] [frames]
# Each build directory holds bench/*_bench and korvanmire (./scripts/setup.sh);
# the start-up figures come from bench/startup.sh of this tree run on each build.
# BENCHES="horde_bench" limits the benchmarks run; STARTUP=0 skips the start-up figures.
# Every figure is taken twice: in the 640 x 480 window, and full screen on a
# virtual screen of FULL_SCREEN (default 1920x1080; FULL_SCREEN= skips it).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
if [ $# -lt 2 ]; then
  echo "usage: $0 OLD_BUILD_DIR NEW_BUILD_DIR [rounds] [frames]" >&2
  exit 2
fi
old="$(cd "$1" && pwd)"
new="$(cd "$2" && pwd)"
rounds="${3:-3}"
full_screen="${FULL_SCREEN-1920x1080}"
frames="${4:-400}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
figures="$work/figures.tsv"
: > "$figures"

# Turns one benchmark's output into "build<TAB>figure<TAB>value" lines: the
# median column of its phase table, its heap allocations and its renderer.
collect() {  # build label, bench name, output file
  awk -v build="$1" -v bench="$2" '
    /^renderer: / { sub(/^renderer: /, ""); renderer = $0; next }
    /^heap allocations per frame/ { for (i = 1; i <= NF; ++i) if ($i == "mean") { v = $(i + 1); sub(/,/, "", v); print build "\t" bench ": heap allocations a frame (mean)\t" v } next }
    /^[ a-zA-Z+]+ +[0-9.]+ +[0-9.]+$/ {
      name = $0; sub(/ +[0-9.]+ +[0-9.]+$/, "", name); sub(/^ +/, "", name)
      print build "\t" bench ": " name " (ms, median)\t" $(NF - 1)
      print build "\t" bench ": " name " (ms, 99th percentile)\t" $NF
    }
    END { if (renderer != "") print build "\t" bench ": renderer\t" renderer }' "$3" >> "$figures"
}

collect_startup() {  # build label, output file, screen label
  awk -v build="$1" -v screen="$3" '
    function after(word,   i) { for (i = 1; i < NF; ++i) if ($i == word) return $(i + 1); return "" }
    /^start-up to first main-menu frame/ && after("median") != "ms" { print build "\tstart-up to first menu frame (ms)" screen "\t" after("median") }
    /^new game to first level frame/ && after("median") != "ms" { print build "\tnew game to first level frame (ms)" screen "\t" after("median") }
    /^idle main menu/ { v = $(NF - 3); sub(/%/, "", v); print build "\tidle main menu (% of one core)" screen "\t" v }' "$2" >> "$figures"
}

# Should a bench still find no display, the game benches fail and world_bench
# goes on without its draw pass and says "no display", which would pass off a
# frame without drawing as a figure. Either way the run is tried again.
run_bench() {  # build label, build dir, bench name, screen ("" for the window)
  local out="$work/$1-$3.txt" label="$3" mode=(env)
  if [ -n "$4" ]; then
    label="$3 [full screen $4]"
    mode=(env KORVANMIRE_XVFB_SCREEN="$4" KORVANMIRE_BENCH_FULLSCREEN=1)
  fi
  for attempt in 1 2 3 4; do
    if "${mode[@]}" SDL_AUDIODRIVER=dummy "$here/../scripts/xvfb-run.sh" "$2/bench/$3" "$frames" > "$out" 2>"$work/stderr.txt" &&
      ! grep -q "^no display" "$out"; then
      collect "$1" "$label" "$out"
      return 0
    fi
    echo "$1 $3 failed (attempt $attempt): $( (grep -h "no display" "$out" "$work/stderr.txt" || tail -1 "$work/stderr.txt") | head -1)" >&2
    sleep 2
  done
  echo "$1 $3 gave no figures" >&2
}

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
for round in $(seq "$rounds"); do
  if [ $((round % 2)) -eq 1 ]; then order="old new"; else order="new old"; fi
  for bench in ${BENCHES:-world_bench firefight_bench horde_bench}; do
    for screen in "" ${full_screen}; do
      for which in $order; do
        if [ "$which" = old ]; then run_bench old "$old" "$bench" "$screen"; else run_bench new "$new" "$bench" "$screen"; fi
      done
    done
  done
  for which in $order; do
    [ "${STARTUP:-1}" = 0 ] && break
    dir="$old"; [ "$which" = new ] && dir="$new"
    for screen in "" ${full_screen}; do
      label=""; [ -n "$screen" ] && label=" [full screen $screen]"
      if SCREEN="$screen" "$here/startup.sh" 3 "$dir" > "$work/$which-startup.txt"; then
        collect_startup "$which" "$work/$which-startup.txt" "$label"
      else
        echo "$which start-up figures failed${label}" >&2
      fi
    done
  done
  echo "round $round of $rounds done, load $(cut -d' ' -f1-3 /proc/loadavg)"
done

echo
echo "old: $old"
echo "new: $new"
awk -F'\t' '
  function median(list,   n, a, i, j, t) {
    n = split(list, a, " ")
    for (i = 2; i <= n; ++i) for (j = i; j > 1 && a[j - 1] + 0 > a[j] + 0; --j) { t = a[j]; a[j] = a[j - 1]; a[j - 1] = t }
    return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
  }
  !($2 in seen) { seen[$2] = 1; order[++count] = $2 }
  $2 ~ /renderer$/ { text[$1, $2] = $3; next }
  { values[$1, $2] = values[$1, $2] " " $3 }
  END {
    printf "%-58s %12s %12s %8s\n", "figure (median over rounds)", "old", "new", "new/old"
    for (i = 1; i <= count; ++i) {
      k = order[i]
      if ((("old", k) in text) || (("new", k) in text)) { printf "%-58s %s | %s\n", k, text["old", k], text["new", k]; continue }
      o = (("old", k) in values) ? median(values["old", k]) : ""
      n = (("new", k) in values) ? median(values["new", k]) : ""
      r = (o != "" && n != "" && o + 0 != 0) ? sprintf("%.2f", n / o) : "-"
      printf "%-58s %12s %12s %8s\n", k, o, n, r
    }
  }' "$figures"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
