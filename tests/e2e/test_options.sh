#!/usr/bin/env bash
# The options a player expects: --fullscreen fills the screen, F11 gives the 1024 x 768 window back
# with the room filling it and takes it fullscreen again, each switch after the first kept in the
# settings file as the options' would be (the command line's is not); a settings file's bad lines
# are named and the game plays on; Tab opens the options over the game, where the music is turned
# down to silence at once and forward moved to Up, both kept in the settings file with the
# player's own lines, and Escape closes them without quitting. (A recording's look settings winning over the
# player's are tested with the recording and its replay.)
source "$(dirname "$0")/lib.sh"

config=$WORK/config
mkdir -p "$config/kelvarin"
printf '# mine\nsensitivity = 5\ninvert_y = maybe\ncolour = red\n' >"$config/kelvarin/settings.ini"
export XDG_CONFIG_HOME=$config

geometry() { xdotool getwindowgeometry "$WINDOW" | awk '/Geometry/ {print $2}'; }
screen=$(xdotool getdisplaygeometry | tr ' ' x)
# wait_for_geometry SIZE WHAT
wait_for_geometry() {
    for _ in $(seq 50); do [ "$(geometry)" = "$1" ] && return 0; sleep 0.1; done
    fail "$2 left the window at $(geometry), not $1"
}

start_game "$ROOT" --fullscreen
wait_for_geometry "$screen" "--fullscreen"
grep -q "settings.ini:3: invert_y is true or false" "$WORK/stderr" || fail "bad value not named"
grep -q "settings.ini:4: unknown setting 'colour'" "$WORK/stderr" || fail "unknown key not named"
hold F11 0.3
wait_for_geometry 1024x768 "F11 in fullscreen"
hold F11 0.3
wait_for_geometry "$screen" "F11 in the window"
hold F11 0.3
wait_for_geometry 1024x768 "F11 again"
wait_for_room windowed

xdotool key Tab
wait_for_pixels menu 700x500+266+205 white 500 "the options did not open over the game"
for _ in $(seq 10); do xdotool key Left; done
for _ in $(seq 11); do xdotool key Down; done
xdotool key Return Up Escape
# The music goes on at volume 0: what the audio device has received since is silence.
sleep 1
[ "$(tail -c 32768 "$WORK/audio.raw" | tr -d '\0' | wc -c)" -eq 0 ] || fail "the music was still heard"
expected=$(printf '# mine\nsensitivity = 5\ninvert_y = maybe\ncolour = red\nfullscreen = false\nmusic_volume = 0\nkey.forward = Up')
[ "$(cat "$config/kelvarin/settings.ini")" = "$expected" ] ||
    fail "the settings file holds: $(cat "$config/kelvarin/settings.ini")"
kill -0 "$GAME_PID" || fail "Escape closing the options quit the game"
shot before
hold Up 0.6
wait_for_change before after "flying with Up"
quit_and_expect 0
echo "fullscreen $screen, F11 to 1024x768 and back, settings problems named, options kept"
