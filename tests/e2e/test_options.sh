#!/usr/bin/env bash
# The options a player expects: --fullscreen fills the screen, F11 gives the 1024 x 768 window back
# with the room filling it and takes it fullscreen again; a settings file's bad lines are named and
# the game plays on. (A recording's look settings winning over the player's are tested with the
# recording and its replay.)
source "$(dirname "$0")/lib.sh"

config=$WORK/config
mkdir -p "$config/kelvarin"
printf 'sensitivity = 5\ninvert_y = maybe\ncolour = red\n' >"$config/kelvarin/settings.ini"
export XDG_CONFIG_HOME=$config

geometry() { xdotool getwindowgeometry "$WINDOW" | awk '/Geometry/ {print $2}'; }
screen=$(xdotool getdisplaygeometry | tr ' ' x)
# wait_for_geometry SIZE WHAT
wait_for_geometry() {
    for _ in $(seq 50); do [ "$(geometry)" = "$1" ] && return 0; sleep 0.1; done
    fail "$2 left the window at $(geometry), not $1"
}

AUDIO_DRIVER=dummy start_game "$ROOT" --fullscreen
wait_for_geometry "$screen" "--fullscreen"
grep -q "settings.ini:2: invert_y is true or false" "$WORK/stderr" || fail "bad value not named"
grep -q "settings.ini:3: unknown setting 'colour'" "$WORK/stderr" || fail "unknown key not named"
hold F11 0.3
wait_for_geometry 1024x768 "F11 in fullscreen"
hold F11 0.3
wait_for_geometry "$screen" "F11 in the window"
hold F11 0.3
wait_for_geometry 1024x768 "F11 again"
wait_for_room windowed
quit_and_expect 0
echo "fullscreen $screen, F11 to 1024x768 and back, settings problems named"
