#!/usr/bin/env bash
# Runs a command on a private Xvfb screen of 1024x768 at 24 bits (the 8-bit
# default screen makes the game several times slower) and returns its status.
#
#   scripts/xvfb-run.sh COMMAND [ARG...]
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
server=""
stop() {
  if [ -n "$server" ]; then
    kill "$server" 2>/dev/null
    wait "$server" 2>/dev/null
  fi
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

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -auth "$XAUTHORITY" \
  3>"$work/display" >"$work/server.log" 2>&1 &
server=$!

# Xvfb writes the number once it accepts connections.
number=""
for _ in $(seq 1 1500); do
  number=$(head -n1 "$work/display" 2>/dev/null)
  [[ "$number" =~ ^[0-9]+$ ]] && break
  number=""
  kill -0 "$server" 2>/dev/null || break
  sleep 0.02
done
if [ -z "$number" ]; then
  echo "xvfb-run.sh: Xvfb did not start; its log:" >&2
  cat "$work/server.log" >&2
  exit 1
fi

xauth -q -f "$XAUTHORITY" add ":$number" . "$cookie"
export DISPLAY=":$number"
"$@"
