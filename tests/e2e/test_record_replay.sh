#!/usr/bin/env bash
# A session played by a person can be handed over: the game records it while xdotool plays (look
# down, shoot, walk back, turn, shoot, rewind for a second, shoot again, Escape) at --sensitivity 2
# and dumps the bricks at exit; kelvarin-sim replaying the recording, and the game replaying it in
# its window while the player's settings file says sensitivity 5, end with the very same bricks,
# byte for byte: a replay turns as the recorded game did.
source "$(dirname "$0")/lib.sh"
SIM=$(dirname "$GAME")/kelvarin-sim

config=$WORK/config
mkdir -p "$config/kelvarin"
printf 'sensitivity = 5\n' >"$config/kelvarin/settings.ini"
export XDG_CONFIG_HOME=$config

AUDIO_DRIVER=dummy start_game "$ROOT" --sensitivity 2 --record "$WORK/session.rec" \
    --dump-bricks "$WORK/game.csv"
look 0 25 28  # 700 pixels at twice the turn rate: about 56 degrees down, at the wall's front
sleep 1
click
hold s 0.6
look 10 0 10
click
sleep 0.5
hold space 1
click
sleep 0.5
quit_and_expect 0

# The game writes compact recordings; their text form says what they hold.
"$SIM" --script "$WORK/session.rec" --convert "$WORK/session.txt" || fail "no text form"
head -n 2 "$WORK/session.txt" | tr '\n' ' ' | grep -qx "kelvarin-script 5 look 2 normal 60 " ||
    fail "the recording does not start with its header and look settings"
grep -q " press fire" "$WORK/session.txt" || fail "the shots were not recorded"
grep -q " press rewind" "$WORK/session.txt" || fail "the rewind was not recorded"
grep -q " mouse " "$WORK/session.txt" || fail "the mouse was not recorded"
# The desktop's clock gives whole ticks, so no frame's time needs its seconds written out.
! grep -q " delta " "$WORK/session.txt" || fail "a frame time is not a whole number of ticks"
# The shots knocked bricks out of the wall's plane: a replay turning at another rate would miss.
[ "$(awk -F, 'NR > 1 && $5 != "0.000000"' "$WORK/game.csv" | wc -l)" -gt 0 ] ||
    fail "the shots hit no brick"

"$SIM" --no-draw --script "$WORK/session.rec" --dump-bricks "$WORK/sim.csv" >/dev/null ||
    fail "kelvarin-sim could not replay the recording"
cmp "$WORK/game.csv" "$WORK/sim.csv" || fail "kelvarin-sim's bricks differ from the game's"

AUDIO_DRIVER=dummy launch "$ROOT" --replay "$WORK/session.rec" --dump-bricks "$WORK/replay.csv"
expect_end 0 120 "the replay"
cmp "$WORK/game.csv" "$WORK/replay.csv" || fail "the replayed game's bricks differ"
# KELVARIN_KEEP=DIR keeps the recording and the bricks, e.g. for tests/replay.
[ -n "${KELVARIN_KEEP:-}" ] && cp "$WORK/session.rec" "$WORK/game.csv" "$KELVARIN_KEEP/"
frames=$(grep -c " ticks " "$WORK/session.txt")
echo "recorded $frames frames ($(wc -c <"$WORK/session.rec") bytes, $(wc -c <"$WORK/session.txt") as" \
    "text); sim and replay match the game"
