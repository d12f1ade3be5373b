#!/usr/bin/env bash
# The options a player expects: --fullscreen fills the screen, F11 switches to fullscreen and back
# to the 1024 x 768 window with the room filling it; a settings file's bad lines are named and the
# game plays on; a recording made at sensitivity 2 replays to its bricks in a game started with
# other settings, and in kelvarin-sim.
source "$(dirname "$0")/lib.sh"
SIM=$(dirname "$GAME")/kelvarin-sim

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
quit_and_expect 0

AUDIO_DRIVER=dummy start_game "$ROOT" --sensitivity 2 --record "$WORK/s2.rec" \
    --dump-bricks "$WORK/game.csv"
look 0 25 28  # 700 pixels at twice the turn rate: about 56 degrees down, at the wall's front
wait_until_still wall
click
sleep 1
hold F11 0.3
wait_for_geometry "$screen" "F11"
hold F11 0.3
wait_for_geometry 1024x768 "F11 again"
sleep 0.5
import -window "$WINDOW" "$WORK/windowed.png"
spread=$(convert "$WORK/windowed.png" -crop 1024x600+0+168 +repage -colorspace Gray \
    -format "%[fx:standard_deviation > 0.02 && mean > 0.05 ? 1 : 0]" info:)
[ "$spread" = 1 ] || fail "the window shows a flat colour, not the textured room"
quit_and_expect 0
head -n 2 "$WORK/s2.rec" | tr '\n' ' ' | grep -qx "kelvarin-script 3 look 2 normal " ||
    fail "the recording does not carry its look settings"
# The shot knocked bricks out of the wall's plane: a replay turning at another rate would miss.
[ "$(awk -F, 'NR > 1 && $5 != "0.000000"' "$WORK/game.csv" | wc -l)" -gt 0 ] ||
    fail "the shot hit no brick"

# The player's file says sensitivity 5: the replay turns as the recorded game did all the same.
AUDIO_DRIVER=dummy launch "$ROOT" --replay "$WORK/s2.rec" --dump-bricks "$WORK/replay.csv"
expect_end 0 120 "the replay"
cmp "$WORK/game.csv" "$WORK/replay.csv" || fail "the replay at other settings ended elsewhere"
(cd "$ROOT" && "$SIM" --no-draw --script "$WORK/s2.rec" --dump-bricks "$WORK/sim.csv" >/dev/null) ||
    fail "kelvarin-sim could not replay the recording"
cmp "$WORK/game.csv" "$WORK/sim.csv" || fail "kelvarin-sim's bricks differ from the game's"
echo "fullscreen $screen and back to 1024x768, settings problems named, sensitivity 2 replayed"
