#!/usr/bin/env bash
# A modder's content in an installed game (`cmake --install` into a scratch
# prefix, started from / with a scratch home), all of it in
# ~/.local/share/korvanmire/content/: a sprite on an image of one's own
# (gfx.lua), an object kind drawn with it (objects.lua), an item (relvad.lua),
# a room that places the new kind (mods/), and a level directory that asks for
# that room by name. The level loads, the room is built with its pillar, the
# item can be made and carried; a broken sfx.lua of one's own is reported with
# its path on the console while the shipped sounds still play. Nothing is
# written under the prefix.
#   content_test.sh BUILD_DIR      (run under scripts/xvfb-run.sh)
set -euo pipefail
build=$(cd "$1" && pwd)
source "$(dirname "$0")/installed_game.sh"
scratch=$(mktemp -d "${TMPDIR:-/tmp}/korvanmire-content-XXXXXX")
trap 'rm -rf "$scratch"' EXIT

prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" > "$scratch/install.log" || fail "install failed: $(cat "$scratch/install.log")"
binary=
for candidate in "$prefix/bin/korvanmire" "$prefix/games/korvanmire"; do
  [ -x "$candidate" ] && binary=$candidate
done
[ -n "$binary" ] || fail "no installed binary under $prefix"
data=$prefix/share/korvanmire
before=$(snapshot "$prefix")

home=$scratch/home
content=$home/.local/share/korvanmire/content
mkdir -p "$content/gfx" "$content/mods" "$content/level11"

# A picture of one's own (here a copy of a shipped one under a new name).
cp "$data/gfx/pillar.png" "$content/gfx/my_pillar.png"
cat > "$content/gfx.lua" <<'LUA'
AddSprite("spr_my_pillar", "gfx/my_pillar.png", 1, 1, 20, 20)
LUA
cat > "$content/objects.lua" <<'LUA'
objectlist.thin_pillar = kind{ collision = 1, depth = 11, rectangle = 1, fovshadows = 1, material = 0,
                               sprite = "spr_my_pillar", rw = 12, rh = 12, shadowdist = 3 }
LUA
cat > "$content/relvad.lua" <<'LUA'
weapon("twin pistol", {
  frame = 8, invtext = "twin", longtext = "Twin-barrel pistol. Two rounds a pull.",
  shortcutkey = "sc_1", pose = "pistol",
  clipsize = 10, spread = 3, reloadtime = -8, bulletspeed = 36, damage = 12, range = 24,
  bulletcount = 2, ammocount = 2,
  pierce = 20, shake = 3, ammotype = 0, clipreloadtime = 45,
  shootsound = "pistol_lask", reloadsound = "reload_clip",
})
LUA
# A broken file of one's own: the shipped sounds must still be there.
printf 'AddSound("my_beep", 0.5\n' > "$content/sfx.lua"

# The room: a shipped one saved under a name of one's own, with a thin pillar.
sed 's/room_small/room_mine/g; s/^end$/\tCreateObject(0,0,0,"thin_pillar")\nend/' \
  "$data/mods/room_small.lua" > "$content/mods/room_mine.lua"
grep -q thin_pillar "$content/mods/room_mine.lua" || fail "test set-up: the room has no pillar"

cat > "$content/level11/script.lua" <<'LUA'
level = { name = "level11", seed = 4242, size = 4, rooms = { "room_mine" } }
LUA
cat > "$content/level11/objects.lua" <<'LUA'
BuildLevel(level)
LUA

# Count the thin pillars the level builds, load the level, look at its plan,
# make the item beside the player.
run_game "$binary" "$home" / "$(cat <<'REPLAY'
5 lua local create = CreateObject; pillars = 0; CreateObject = function(...) local o = create(...); if select(4, ...) == "thin_pillar" and o then pillars = pillars + 1 end; return o end
6 lua LoadLevel("level11", 0)
20 lua for _, m in ipairs(levelPlan and levelPlan.modules or {}) do if m.name == "room_mine" then print("room placed\n") end end
21 lua print("pillars built: " .. pillars .. "\n")
22 lua local it = CreateItem(1, 0, "twin pistol"); print(it and "item made\n" or "no item\n")
23 lua if GetSound("pistol_lask") then print("shipped sounds kept\n") end
30 lua ExitGame()
REPLAY
)"
check_clean_run
log=$scratch/run/console.log
grep -q 'Loading:level11' "$log" || fail "the level did not load: $(cat "$log")"
grep -q 'room placed' "$log" || fail "the level has no room_mine: $(cat "$log")"
grep -q 'pillars built: 1' "$log" || fail "the room's pillar was not built: $(cat "$log")"
grep -q 'item made' "$log" || fail "the item was not made: $(cat "$log")"
grep -q "$content/sfx.lua stopped there" "$log" || fail "the broken sfx.lua is not named on the console: $(cat "$log")"
grep -q "$content/sfx.lua stopped there" "$scratch/run/stderr.log" || fail "the broken sfx.lua is not on standard error"
grep -q 'shipped sounds kept' "$log" || fail "the shipped sounds are gone: $(cat "$log")"
if grep -E 'gfx.lua:[0-9]*: |cannot be built|stopped building|no module named' "$log"; then
  fail "the content did not load cleanly"
fi

[ "$(snapshot "$prefix")" = "$before" ] || fail "the game wrote under the install prefix: $(diff <(echo "$before") <(snapshot "$prefix"))"
echo "content test passed"
