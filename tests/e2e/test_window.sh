#!/usr/bin/env bash
# The window opens at 1024 x 768 titled Kelvarin, shows the help text in its top-left corner and
# the room, and Escape ends the game with status 0.
source "$(dirname "$0")/lib.sh"

start_game "$ROOT"
geometry=$(xdotool getwindowgeometry "$WINDOW" | grep Geometry | awk '{print $2}')
[ "$geometry" = "1024x768" ] || fail "window is $geometry"

wait_for_pixels start 330x130+0+0 white 300 "no help text in the top-left corner"
rest=$(count_pixels start 600x300+400+400 white)
[ "$rest" -lt 50 ] || fail "white pixels outside the help text ($rest)"

quit_and_expect 0
grep -q "Sound is off" "$WORK/stderr" && fail "disk audio was not opened"
echo "window, help text and exit status as expected"
