#!/usr/bin/env bash
# The camera flies with W, A, S, D and Shift and looks with the mouse: each changes the picture.
source "$(dirname "$0")/lib.sh"

start_game "$ROOT"
# Only the camera may change the picture from here on: the bricks have come to rest.
wait_until_still a
hold w 0.6
wait_for_change a b "walking forward"
hold a 0.5
wait_for_change b c "walking left"
look 20 0 10
wait_for_change c d "turning with the mouse"
look 0 20 10
wait_for_change d e "looking down"
quit_and_expect 0
echo "camera moves and turns"
