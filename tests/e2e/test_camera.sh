#!/usr/bin/env bash
# The camera flies with W, A, S, D and Shift and looks with the mouse: each changes the picture.
source "$(dirname "$0")/lib.sh"

start_game "$ROOT"
# Only the camera may change the picture from here on: the bricks have come to rest.
wait_until_still a
hold w 0.6
sleep 0.3
shot b
[ "$(differing a b)" -gt 20000 ] || fail "walking forward did not change the view"
hold a 0.5
sleep 0.3
shot c
[ "$(differing b c)" -gt 20000 ] || fail "walking left did not change the view"
look 20 0 10
sleep 0.3
shot d
[ "$(differing c d)" -gt 20000 ] || fail "turning with the mouse did not change the view"
look 0 20 10
sleep 0.3
shot e
[ "$(differing d e)" -gt 20000 ] || fail "looking down did not change the view"
quit_and_expect 0
echo "camera moves and turns"
