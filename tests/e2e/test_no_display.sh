#!/usr/bin/env bash
# Without a display the window library cannot start: one message, status 255.
source "$(dirname "$0")/lib.sh"

status=0
(cd "$ROOT" && env -u DISPLAY "$GAME") >"$WORK/stdout" 2>"$WORK/stderr" || status=$?
[ "$status" -eq 255 ] || fail "status $status, expected 255"
[ "$(cat "$WORK/stderr")" = "GLFWInit Failed!" ] || fail "unexpected message: $(cat "$WORK/stderr")"
echo "no display: message and status as expected"
