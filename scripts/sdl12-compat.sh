#!/usr/bin/env bash
# Fetches Debian's libsdl1.2-compat (SDL 1.2 carried by SDL2, what current
# distributions ship as SDL 1.2) into a build tree and prints the folder that
# holds its libSDL-1.2.so.0, for LD_LIBRARY_PATH. Nothing on the system changes:
# the package is downloaded with `apt-get download` and unpacked with `dpkg -x`
# under BUILD_DIR/sdl12-compat. A second run finds it there and fetches nothing.
#
#   scripts/sdl12-compat.sh [BUILD_DIR]      (default: the checkout's build)
#
# The library needs libsdl2-2.0-0, which scripts/setup.sh installs.
set -euo pipefail
# A folder given is taken from where the script is called; the default is the
# checkout's build tree (KORVANMIRE_BUILD, as scripts/setup.sh names it).
if [ $# -gt 0 ]; then
  build_dir=$(realpath -m "$1")
else
  cd "$(dirname "$0")/.."
  build_dir="${KORVANMIRE_BUILD:-build}"
fi
mkdir -p "$build_dir/sdl12-compat"
cd "$build_dir/sdl12-compat"

# The library inside the unpacked package (its folder is named after the package).
find_library() {
  find "$PWD/root" -name libSDL-1.2.so.0 -path '*/sdl12-compat/*' 2>/dev/null | head -n1
}

if [ -z "$(find_library)" ]; then
  if ! ls libsdl1.2-compat_*.deb >/dev/null 2>&1; then
    # A fresh system may have no package lists yet: fetch them once and retry.
    if ! apt-get download libsdl1.2-compat >&2; then
      sudo_cmd=""
      [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
      $sudo_cmd apt-get update -qq >&2
      apt-get download libsdl1.2-compat >&2
    fi
  fi
  rm -rf root
  dpkg -x "$(ls libsdl1.2-compat_*.deb | head -n1)" root
fi
library=$(find_library)
[ -n "$library" ] || { echo "sdl12-compat.sh: the package holds no libSDL-1.2.so.0" >&2; exit 1; }
dirname "$library"
