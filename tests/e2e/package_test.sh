#!/usr/bin/env bash
# The Debian package: cpack makes korvanmire_<version>_amd64.deb with its
# library dependencies, and lintian finds no error and no warning in it;
# unpacked (never installed) into a scratch folder, the
# game inside starts from /, is ended by SIGTERM in the main menu as a
# desktop session would end it, saves the player's settings and stats into a
# scratch home and leaves the unpacked tree as it was.
#   package_test.sh BUILD_DIR VERSION      (run under scripts/xvfb-run.sh)
set -euo pipefail
build=$(cd "$1" && pwd)
version=$2
source "$(dirname "$0")/installed_game.sh"
scratch=$(mktemp -d "${TMPDIR:-/tmp}/korvanmire-package-XXXXXX")
trap 'rm -rf "$scratch"' EXIT

(cd "$scratch" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/out" > cpack.log 2>&1) ||
  fail "cpack failed: $(cat "$scratch/cpack.log")"
deb=$scratch/out/korvanmire_${version}_amd64.deb
[ -f "$deb" ] || fail "no $deb: $(ls "$scratch/out")"

# shlibdeps found the libraries the game links.
depends=$(dpkg-deb -f "$deb" Depends)
for library in libsdl1.2 libsdl-image1.2 libsdl-mixer1.2 liblua5.1 libbox2d libglew libgl1 libstdc++6; do
  grep -q "$library" <<< "$depends" || fail "Depends lacks $library: $depends"
done
[ "$(dpkg-deb -f "$deb" Section)" = "games" ] || fail "section: $(dpkg-deb -f "$deb" Section)"

# Debian's own judge: informational tags may stay, errors and warnings may not.
command -v lintian > /dev/null || fail "no lintian (scripts/setup.sh installs it)"
lintian_status=0
lintian --fail-on error,warning "$deb" > "$scratch/lintian.log" 2>&1 || lintian_status=$?
if [ "$lintian_status" -ne 0 ] || grep -E '^[EW]: ' "$scratch/lintian.log"; then
  fail "lintian (status $lintian_status): $(cat "$scratch/lintian.log")"
fi

root=$scratch/root
dpkg-deb -x "$deb" "$root"
check_installed_tree "$root/usr" /usr
before=$(snapshot "$root")

home=$scratch/home
own=$home/.local/share/korvanmire
mkdir -p "$home"
run_game "$root/usr/games/korvanmire" "$home" / \
  $'5 lua settings.keys.map = 77\n10 screenshot '"$scratch/run/ready.bmp"$'\n' TERM
check_clean_run
grep -q 'map = 77' "$own/settings.lua" 2>/dev/null || fail "settings not saved in $own"
[ "$(cat "$own/stats" 2>/dev/null)" = "0" ] || fail "no stats file in $own"
[ "$(snapshot "$root")" = "$before" ] || fail "the game wrote into the unpacked package"
echo "package test passed"
