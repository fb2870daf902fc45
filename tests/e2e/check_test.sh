#!/usr/bin/env bash
# korvanmire --check, with no display at all: the shipped data passes it
# (exit 0, nothing printed). A copy with a room that places an unknown object
# kind (and a crate holding an unknown item), a sprite of the content folder
# whose image is missing and a start-up script of the content folder with a
# syntax error fails it (exit 1, no crash), and each is named by file and
# line. The check writes nothing.
#   check_test.sh KORVANMIRE_BINARY DATA_DIR
set -euo pipefail
binary=$1
data=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
scratch=$(mktemp -d "${TMPDIR:-/tmp}/korvanmire-check-XXXXXX")
trap 'rm -rf "$scratch"' EXIT

# The shipped data: a clean bill, and no false alarms.
status=0
env -u DISPLAY "$binary" --check --data "$data" > "$scratch/clean.out" 2> "$scratch/clean.err" || status=$?
[ "$status" = 0 ] || fail "--check on $data exited $status: $(cat "$scratch/clean.out" "$scratch/clean.err")"
[ ! -s "$scratch/clean.out" ] || fail "--check on $data printed problems: $(cat "$scratch/clean.out")"

# A copy of it as a modder might break it. The player's own files of this
# checkout (settings, campaign, content) stay out of the copy.
copy=$scratch/data
cp -r "$data" "$copy"
rm -rf "$copy/content" "$copy/settings.lua" "$copy/stats" "$copy/campaign"
mkdir -p "$copy/content"
# Line 13 of the room names a kind nobody defined; before it, a crate holds
# an item nobody defined (found only when the crate is opened in a game).
sed -i '12a\	CreateContainer(1,1,0,"spr_metallkast","no_such_item")\n	CreateObject(0,0,0,"no_such_kind")' "$copy/mods/room_small.lua"
printf -- '-- my sprites\nAddSprite("spr_my_pillar", "gfx/my_pillar.png", 1, 1, 20, 20)\n' > "$copy/content/gfx.lua"
printf -- '-- my items\n\nweapon("twin pistol" {\n' > "$copy/content/relvad.lua"
before=$(cd "$copy" && find . -type f -printf '%p %s %T@\n' | sort)

status=0
env -u DISPLAY "$binary" --check --data "$copy" > "$scratch/broken.out" 2> "$scratch/broken.err" || status=$?
report=$(cat "$scratch/broken.out")
[ "$status" = 1 ] || fail "--check on broken content exited $status (1 expected): $report $(tail -5 "$scratch/broken.err")"
grep -q '^mods/room_small\.lua:14: .*no_such_kind' <<< "$report" || fail "the broken room is not named: $report"
grep -q '^mods/room_small\.lua: a crate holds "no_such_item"' <<< "$report" || fail "the crate's unknown item is not named: $report"
grep -q '^content/gfx\.lua:2: missing texture gfx/my_pillar\.png for sprite spr_my_pillar' <<< "$report" ||
  fail "the sprite without its image is not named: $report"
grep -q "^content/relvad\.lua:3: .*expected" <<< "$report" || fail "the start-up script's syntax error is not named: $report"
# Every line is a problem in the FILE: message form.
if grep -vE '^[^ :]+(:[0-9]+)?: ' <<< "$report"; then fail "lines not in the FILE: message form: $report"; fi

[ "$(cd "$copy" && find . -type f -printf '%p %s %T@\n' | sort)" = "$before" ] ||
  fail "--check wrote into the data directory: $(diff <(echo "$before") <(cd "$copy" && find . -type f -printf '%p %s %T@\n' | sort))"
echo "check test passed"
