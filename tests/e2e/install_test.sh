#!/usr/bin/env bash
# `cmake --install` into a scratch prefix: the binary in games/, the data
# without anyone's user state, a valid desktop entry that starts that binary,
# valid AppStream metainfo, the icons, the compressed manual page, copyright and
# changelog. The
# installed game then runs from / with a scratch home, keeps the player's settings,
# stats and modules in ~/.local/share/korvanmire, reads them back on the next
# start, lists the player's module beside the shipped rooms, and writes
# nothing under the prefix.
#   install_test.sh BUILD_DIR      (run under scripts/xvfb-run.sh)
set -euo pipefail
build=$(cd "$1" && pwd)
source "$(dirname "$0")/installed_game.sh"
scratch=$(mktemp -d "${TMPDIR:-/tmp}/korvanmire-install-XXXXXX")
trap 'rm -rf "$scratch"' EXIT

prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" > "$scratch/install.log" || fail "install failed: $(cat "$scratch/install.log")"
check_installed_tree "$prefix"
before=$(snapshot "$prefix")

home=$scratch/home
own=$home/.local/share/korvanmire
mkdir -p "$home"

# First start: change a binding, then leave through the menu's exit.
run_game "$prefix/games/korvanmire" "$home" / \
  $'5 lua settings.keys.map = 77\n10 lua ExitGame()\n'
check_clean_run
[ -f "$own/settings.lua" ] || fail "no settings.lua in $own"
grep -q 'map = 77' "$own/settings.lua" || fail "the changed binding was not saved: $(cat "$own/settings.lua")"
[ "$(cat "$own/stats" 2>/dev/null)" = "0" ] || fail "no empty stats file in $own"

# A room the player saved earlier.
mkdir -p "$own/mods"
cat > "$own/mods/my_room.lua" <<'LUA'
modlist.my_room={}
modlist.my_room.w=-4
modlist.my_room.h=-4
table.insert(modlist.my_room,{x=2,y=0,a=0})
function modlist.my_room.CreateObjects()
end
LUA

# Second start: the binding is back and the module list holds both kinds.
run_game "$prefix/games/korvanmire" "$home" / \
  $'5 lua if settings.keys.map == 77 then print("binding kept\\n") end\n6 lua if modlist.my_room and modlist.room_hall then print("both rooms listed\\n") end\n10 lua ExitGame()\n'
check_clean_run
grep -q 'binding kept' "$scratch/run/console.log" || fail "settings not read back: $(cat "$scratch/run/console.log")"
grep -q 'both rooms listed' "$scratch/run/console.log" || fail "module list: $(cat "$scratch/run/console.log")"

[ "$(snapshot "$prefix")" = "$before" ] || fail "the game wrote under the install prefix: $(diff <(echo "$before") <(snapshot "$prefix"))"
echo "install test passed"
