#!/usr/bin/env bash
# Sets everything up and starts the game. Arguments go to the game: -w for a window.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh
cd data
exec ../build/korvanmire "$@"
