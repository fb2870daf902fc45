#!/usr/bin/env bash
# Regenerates docs/screenshot.png, the README's picture: the game plays the
# scripted scene docs/screenshot.replay under Xvfb in a scratch copy of data/
# (your own settings and stats are left alone) and saves the frame itself.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
scratch=$(mktemp -d "${TMPDIR:-/tmp}/korvanmire-screenshot-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
cp -r data "$scratch/data"
rm -f "$scratch"/data/{settings.lua,stats}
sed "s|SCREENSHOT|$scratch/screenshot.png|" docs/screenshot.replay > "$scratch/replay.txt"
(
  cd "$scratch/data"
  KORVANMIRE_REPLAY=$scratch/replay.txt KORVANMIRE_SEED=7 SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1 \
    "$OLDPWD/scripts/xvfb-run.sh" "$OLDPWD/build/korvanmire" -w
)
[ -s "$scratch/screenshot.png" ] || { echo "the scene saved no picture" >&2; exit 1; }
mkdir -p docs
cp "$scratch/screenshot.png" docs/screenshot.png
echo "wrote docs/screenshot.png"
