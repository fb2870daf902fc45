# Shared by the install and package tests: checks of an installed tree and a
# run of the installed game with a scratch home. Sourced, not run.

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The width and height of a PNG, from its header.
png_size() {
  local hex
  hex=$(od -An -tx1 -j16 -N8 "$1" | tr -d ' \n')
  echo "$((16#${hex:0:8}))x$((16#${hex:8:8}))"
}

# What desktops and software centres know the game by.
app_id=io.github.korvanmire.Korvanmire

# check_installed_tree ROOT [PREFIX]: ROOT is where the install prefix lies now
# (ROOT/games/korvanmire), PREFIX the prefix the files name (default ROOT; /usr
# for an unpacked package).
check_installed_tree() {
  local root=$1 prefix=${2:-$1} data=$1/share/korvanmire
  [ -x "$root/games/korvanmire" ] || fail "no executable $root/games/korvanmire"
  for file in luainit.lua init.lua gfx.lua objects.lua relvad.lua sfx.lua levels.lua \
              shaders/distortion_f.glsl mods/room_hall.lua level1/script.lua INSTALLED; do
    [ -f "$data/$file" ] || fail "missing $data/$file"
  done
  [ "$(find "$data/gfx" -name '*.png' | wc -l)" -ge 20 ] || fail "generated art missing in $data/gfx"
  [ "$(find "$data/sfx" -name '*.wav' | wc -l)" -ge 20 ] || fail "generated sounds missing in $data/sfx"
  # No one's user state, no leftovers.
  local stray
  stray=$(find "$data" \( -name settings.lua -o -name stats -o -name stats.broken -o -name campaign -o -name 'progress*' -o -name '*.tmp' \
                          -o -name static.lua -o -name 'std*.txt' \) -print)
  [ -z "$stray" ] || fail "user state installed: $stray"

  local entry=$root/share/applications/$app_id.desktop
  desktop-file-validate "$entry" || fail "desktop entry does not validate"
  # The menu starts the installed binary, and hides the entry without it.
  local exec tryexec
  exec=$(sed -n 's/^Exec=//p' "$entry")
  tryexec=$(sed -n 's/^TryExec=//p' "$entry")
  [ "$exec" = "$prefix/games/korvanmire" ] && [ "$tryexec" = "$exec" ] ||
    fail "desktop entry starts '$exec' (TryExec '$tryexec'), not $prefix/games/korvanmire"
  grep -q "^Icon=$app_id$" "$entry" || fail "desktop entry's icon is not $app_id"
  local version
  version=$(version_of "$root")
  check_metainfo "$root"
  head -1 "$root/share/doc/korvanmire/copyright" 2>/dev/null | grep -q "^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/$" ||
    fail "no machine-readable copyright file"
  local changelog released
  changelog=$(zcat "$root/share/doc/korvanmire/changelog.gz")
  head -1 <<< "$changelog" | grep -q "^korvanmire ($version) " ||
    fail "changelog.gz does not begin with the entry of $version"
  # The metainfo gives this release the changelog's date.
  released=$(date -u -d "$(sed -n '0,/^ -- /s/^ -- .*>  //p' <<< "$changelog")" +%F)
  grep -q "<release version=\"$version\" date=\"$released\"" "$root/share/metainfo/$app_id.metainfo.xml" ||
    fail "the metainfo does not list release $version of $released as the changelog does"
  for size in 16 32 64 128 256; do
    local icon=$root/share/icons/hicolor/${size}x${size}/apps/$app_id.png
    [ -f "$icon" ] || fail "missing icon $icon"
    [ "$(png_size "$icon")" = "${size}x${size}" ] || fail "$icon is $(png_size "$icon"), not ${size}x${size}"
  done
  local page
  page=$root/share/man/man6/korvanmire.6.gz
  [ -f "$page" ] || fail "no compressed manual page $page"
  if command -v groff >/dev/null; then
    local warnings
    warnings=$(zcat "$page" | groff -man -t -ww -z 2>&1)
    [ -z "$warnings" ] || fail "manual page: $warnings"
  fi
}

# The version of the installed game, as it prints it.
version_of() {
  "$1/games/korvanmire" --version 2>/dev/null | grep -o '[0-9][0-9.]*' | head -1
}

# check_metainfo ROOT: AppStream's validator finds no error and no warning
# (pedantic notes may stay) in the metainfo under ROOT and the desktop entry
# it launches.
check_metainfo() {
  local file=$1/share/metainfo/$app_id.metainfo.xml report
  [ -f "$file" ] || fail "no AppStream metainfo $file"
  command -v appstreamcli > /dev/null || fail "no appstreamcli (scripts/setup.sh installs it)"
  report=$(appstreamcli validate-tree --no-net "$1" 2>&1) || fail "appstreamcli validate-tree: $report"
  if grep -E '^ *[EW]: ' <<< "$report"; then fail "appstreamcli validate-tree: $report"; fi
}

# Every file under a directory with its size and time, to prove nothing changed.
snapshot() {
  find "$1" -printf '%P %s %T@\n' | sort
}

# run_game BINARY HOME DIR REPLAY [signal]: runs the installed game with
# working directory DIR, HOME as its home and no XDG_DATA_HOME, playing the
# replay text; the console log, screenshots and stderr land in $scratch/run.
# With a signal name, sends it once the replay's "ready.bmp" screenshot exists.
# Sets game_status. A display that is still coming up refuses the first
# connections: those starts are tried again.
run_game() {
  local attempt
  for attempt in 1 2 3 4 5; do
    run_game_once "$@"
    [ "$game_status" -eq 1 ] && grep -q 'open X11 display' "$scratch/run/stderr.log" || return 0
    sleep 1
  done
}

run_game_once() {
  local binary=$1 home=$2 dir=$3 replay=$4 signal=${5:-}
  local run=$scratch/run
  rm -rf "$run" && mkdir -p "$run"
  printf '%s' "$replay" > "$run/replay.txt"
  (
    cd "$dir"
    unset XDG_DATA_HOME
    export HOME=$home KORVANMIRE_REPLAY=$run/replay.txt KORVANMIRE_CONSOLE_LOG=$run/console.log \
           KORVANMIRE_SEED=1 SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1
    exec "$binary" -w
  ) 2> "$run/stderr.log" &
  local pid=$! waited=0
  if [ -n "$signal" ]; then
    while [ ! -s "$run/ready.bmp" ] && kill -0 "$pid" 2>/dev/null && [ $waited -lt 400 ]; do
      sleep 0.1; waited=$((waited + 1))
    done
    kill -s "$signal" "$pid" 2>/dev/null || true
  fi
  waited=0
  while kill -0 "$pid" 2>/dev/null && [ $waited -lt 600 ]; do sleep 0.1; waited=$((waited + 1)); done
  kill -KILL "$pid" 2>/dev/null || true
  game_status=0
  wait "$pid" || game_status=$?
}

# The game ran without missing names or errors and exited with status 0.
check_clean_run() {
  [ "$game_status" -eq 0 ] || fail "the game exited with $game_status: $(cat "$scratch/run/stderr.log")"
  if grep -E 'not found|No sound named|loading failed|ERROR|cannot open' "$scratch/run/stderr.log"; then
    fail "the installed game reported problems"
  fi
}
