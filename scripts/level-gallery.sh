#!/usr/bin/env bash
# Writes docs/gallery/levelN.png: one picture of each level of the campaign,
# taken once its arrival effect has settled, in a scratch copy of data/ (your
# own settings, stats and saved game are left alone).
#   scripts/level-gallery.sh            every level
#   scripts/level-gallery.sh 4 7 10     only these
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh >/dev/null
levels=("$@")
[ ${#levels[@]} -gt 0 ] || levels=(1 2 3 4 5 6 7 8 9 10)
scratch=$(mktemp -d "${TMPDIR:-/tmp}/korvanmire-gallery-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
cp -r data "$scratch/data"
rm -f "$scratch"/data/{settings.lua,stats,campaign.lua}
mkdir -p docs/gallery
for n in "${levels[@]}"; do
  # A new game, then the level, then the arrival effect's 126 frames and a
  # little more for the camera to come to rest.
  cat > "$scratch/replay.txt" <<REPLAY
10 press return
30 lua LoadLevel("level$n", 0)
200 screenshot $scratch/level$n.png
205 lua ExitGame()
REPLAY
  (
    cd "$scratch/data"
    KORVANMIRE_REPLAY=$scratch/replay.txt KORVANMIRE_SEED=1 SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1 \
      "$OLDPWD/scripts/xvfb-run.sh" "$OLDPWD/build/korvanmire" -w >"$scratch/level$n.log" 2>&1
  ) || { echo "level$n: the game failed, see its log:" >&2; cat "$scratch/level$n.log" >&2; exit 1; }
  [ -s "$scratch/level$n.png" ] || { echo "level$n: no picture was saved" >&2; exit 1; }
  if grep -E 'texture not found|No sound named|cannot create' "$scratch/level$n.log" >&2; then
    echo "level$n: the run reported missing content (above)" >&2
    exit 1
  fi
  cp "$scratch/level$n.png" "docs/gallery/level$n.png"
  echo "wrote docs/gallery/level$n.png"
done
