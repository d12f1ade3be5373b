#!/usr/bin/env bash
# What a hostile but realistic player meets, played for real: a settings file that is a FIFO is
# named and the game starts all the same; two SIGTERMs microseconds apart (as GNU timeout sends
# them) are one request, so the brick dump and the recording come out whole; a stop while the game
# is still starting ends it cleanly too; a brick dump to a full disk gives one line and status 4.
source "$(dirname "$0")/lib.sh"
SIM=$(dirname "$GAME")/kelvarin-sim

# wait_for_handler SIGNAL: until the game catches SIGNAL (its bit in /proc's SigCgt mask).
wait_for_handler() {
    local bit=$(($(kill -l "$1") - 1))
    for _ in $(seq 200); do
        local mask
        mask=$(awk '/^SigCgt:/ {print $2}' "/proc/$GAME_PID/status" 2>/dev/null || true)
        if [ -n "$mask" ] && (((0x$mask >> bit) & 1)); then return 0; fi
        sleep 0.01
    done
    fail "the game never caught SIG$1"
}

# replays_to RECORDING CSV: kelvarin-sim replays the recording to exactly these bricks.
replays_to() {
    (cd "$ROOT" && "$SIM" --no-draw --script "$1" --dump-bricks "$WORK/sim.csv" >/dev/null) ||
        fail "kelvarin-sim could not replay $1"
    cmp -s "$2" "$WORK/sim.csv" || fail "$1 replays to other bricks than the game dumped"
}

config=$WORK/config
mkdir -p "$config/kelvarin"
mkfifo "$config/kelvarin/settings.ini"
XDG_CONFIG_HOME=$config AUDIO_DRIVER=dummy start_game "$ROOT"
grep -q "settings.ini:1: cannot be read (not a regular file); the defaults are used" \
    "$WORK/stderr" || fail "the FIFO in the settings' place was not named"
quit_and_expect 0

AUDIO_DRIVER=dummy start_game "$ROOT" --record "$WORK/term.rec" --dump-bricks "$WORK/term.csv"
sleep 1
kill -TERM "$GAME_PID" && kill -TERM "$GAME_PID"
expect_end 0 10 "two SIGTERMs at once"
[ "$(wc -l <"$WORK/term.csv")" -eq 78 ] || fail "the brick dump is not whole"
replays_to "$WORK/term.rec" "$WORK/term.csv"

AUDIO_DRIVER=dummy launch "$ROOT" --record "$WORK/early.rec" --dump-bricks "$WORK/early.csv"
wait_for_handler TERM
kill -TERM "$GAME_PID"
expect_end 0 30 "SIGTERM during start-up"
replays_to "$WORK/early.rec" "$WORK/early.csv"

AUDIO_DRIVER=dummy start_game "$ROOT" --dump-bricks /dev/full
quit_and_expect 4
[ "$(grep -c "cannot write the bricks to /dev/full" "$WORK/stderr")" -eq 1 ] ||
    fail "a brick dump to a full disk was not said once"
echo "FIFO settings named, two SIGTERMs one request, a stop at start-up clean, a full disk said"
