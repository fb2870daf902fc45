#!/usr/bin/env bash
# Runs a command on a private Xvfb screen of 1024x768 at 24 bits (the 8-bit
# default screen makes the game several times slower) and returns its status.
#
#   scripts/xvfb-run.sh COMMAND [ARG...]
#
# The server does not reset when its last client leaves (-noreset): a reset
# refuses connections while it lasts, and SDL connects twice in a row (once to
# see whether X is there, then for real), so under load the game's second
# connection could meet a server still resetting after its first.
#
# Xvfb picks its display number itself (-displayfd): the first number whose
# lock file and sockets it can really take. Runs in parallel, stale lock files
# and servers of another container that shares this network (X sockets live in
# the abstract namespace, not only in /tmp) therefore never meet on one
# display, as they can with `xvfb-run -a`, which only looks at /tmp's lock files.
set -uo pipefail

if [ $# -eq 0 ]; then
  echo "usage: $0 COMMAND [ARG...]" >&2
  exit 2
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/korvanmire-xvfb.XXXXXX")
servers=()
stop() {
  for server in "${servers[@]}"; do
    kill "$server" 2>/dev/null
    wait "$server" 2>/dev/null
  done
  rm -rf "$work"
}
trap stop EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

# The server reads its cookie when it starts, before it knows its number; the
# client's entry for that number is added once the server has said it.
export XAUTHORITY="$work/auth"
cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
: > "$XAUTHORITY"
xauth -q -f "$XAUTHORITY" add :0 . "$cookie"

# Starts a server and sets `number` to the number it took once it accepts
# connections; leaves it empty when the server did not start.
start_server() {
  Xvfb -displayfd 3 -screen 0 "${KORVANMIRE_XVFB_SCREEN:-1024x768}x24" -nolisten tcp -noreset -auth "$XAUTHORITY" \
    3>"$work/display$1" >"$work/server$1.log" 2>&1 &
  servers+=($!)
  number=""
  for _ in $(seq 1 1500); do
    number=$(head -n1 "$work/display$1" 2>/dev/null)
    [[ "$number" =~ ^[0-9]+$ ]] && return
    number=""
    kill -0 "${servers[-1]}" 2>/dev/null || return
    sleep 0.02
  done
}

# A client may still be refused: under load a server elsewhere on this network
# can hold the abstract socket of the number ours took. Such a server is left
# running until the end, so that the next one takes another number.
for attempt in 1 2 3; do
  start_server "$attempt"
  if [ -z "$number" ]; then
    echo "xvfb-run.sh: Xvfb did not start; its log:" >&2
    cat "$work/server$attempt.log" >&2
    exit 1
  fi
  xauth -q -f "$XAUTHORITY" add ":$number" . "$cookie"
  command -v xdpyinfo >/dev/null || break
  DISPLAY=":$number" xdpyinfo >/dev/null 2>&1 && break
  echo "xvfb-run.sh: display :$number refused a client; starting another server" >&2
done
export DISPLAY=":$number"
"$@"
