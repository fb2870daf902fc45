#!/usr/bin/env bash
# scripts/xvfb-run.sh must give its command a display of its own even when a
# server of another container holds a number: that server's lock file and
# socket file are not in our /tmp, only its abstract socket is shared. Until
# the tests used Xvfb's own choice of number, such a run connected to the
# foreign server and failed with "cannot open X11 display".
# It must also keep serving after a client leaves.
#   xvfb_run_test.sh
set -uo pipefail
here="$(cd "$(dirname "$0")/../.." && pwd)"
wrapper="$here/scripts/xvfb-run.sh"
work=$(mktemp -d)
foreign=""
cleanup() {
  [ -n "$foreign" ] && kill "$foreign" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The foreign server takes the lowest free number, then hides its files the
# way another container's /tmp would.
Xvfb -displayfd 3 -nolisten tcp 3>"$work/number" 2>/dev/null &
foreign=$!
for _ in $(seq 1 500); do [ -s "$work/number" ] && break; sleep 0.02; done
taken=$(head -n1 "$work/number")
[[ "$taken" =~ ^[0-9]+$ ]] || fail "the foreign server did not start"
rm -f "/tmp/.X$taken-lock" "/tmp/.X11-unix/X$taken"

display=$("$wrapper" sh -c 'echo "$DISPLAY"') || fail "the wrapper failed"
[ "$display" != ":$taken" ] || fail "the wrapper ran on the foreign display :$taken"
[[ "$display" =~ ^:[0-9]+$ ]] || fail "no display given: '$display'"

# The server does not reset when a client leaves: SDL connects twice in a
# row, and under load a resetting server refused the second connection. A
# reset would clear what the first client put on the root window.
kept=$("$wrapper" sh -c 'xprop -root -f KORVANMIRE_PROBE 8s -set KORVANMIRE_PROBE kept && xprop -root KORVANMIRE_PROBE')
[[ "$kept" == *'"kept"'* ]] || fail "the server reset when its first client left: '$kept'"

# The command's status comes back, and the server and its files go away.
"$wrapper" sh -c 'exit 3'
[ $? -eq 3 ] || fail "the command's exit status was lost"
found=$("$wrapper" sh -c 'echo "$(pgrep -P "$PPID" Xvfb)" "$(dirname "$XAUTHORITY")"')
read -r server scratch <<< "$found"
[[ "$server" =~ ^[0-9]+$ ]] || fail "no server found beside the command"
kill -0 "$server" 2>/dev/null && fail "the server was left running"
[ -e "$scratch" ] && fail "the scratch folder $scratch was left"
echo "ok: ran on $display beside the foreign :$taken"
