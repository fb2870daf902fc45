#!/usr/bin/env bash
# Installs what the game needs on Debian 12 (when missing) and builds it.
# Safe to run again and again: installs only what is missing, builds incrementally.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  build-essential cmake pkg-config
  libsdl1.2-dev libsdl-image1.2-dev libsdl-mixer1.2-dev
  libgl-dev libglu1-mesa-dev libglew-dev libgl1-mesa-dri
  libbox2d-dev liblua5.1-0-dev libpng-dev libvorbis-dev
  libgtest-dev libbenchmark-dev xvfb xauth x11-utils ccache
  desktop-file-utils dpkg-dev
  # judges of the Debian package and its AppStream metadata (tests/e2e/package_test.sh)
  lintian appstream
  # SDL2, which Debian's SDL 1.2 on SDL2 (scripts/sdl12-compat.sh) runs on
  libsdl2-2.0-0
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

build_dir="${KORVANMIRE_BUILD:-build}"
# ccache lets a second build tree (a fresh clone, a sanitizer build) reuse what
# another one compiled; paths below the checkout's parent are kept relative.
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(cd .. && pwd)}" CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
# KORVANMIRE_TARGETS limits the build to some targets (default: everything).
targets=()
for target in ${KORVANMIRE_TARGETS:-}; do targets+=(--target "$target"); done
cmake --build "$build_dir" -j"$(nproc)" "${targets[@]}"
