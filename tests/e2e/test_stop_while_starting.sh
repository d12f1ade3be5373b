#!/usr/bin/env bash
# A stop asked for while the game is still starting (here: reading a long recording to replay)
# ends it cleanly after its first frame, with status 0 and the brick dump written, instead of
# killing it: the handler is in before anything the game reads.
source "$(dirname "$0")/lib.sh"

recording=$WORK/long.rec
{
    printf 'kelvarin-script 3\nlook 1 normal\n'
    { yes '# long enough to take the game a while to read' || true; } | head -c 100000000
    echo
    for frame in $(seq 600); do printf '%d delta 0.016666666666666666\n' "$frame"; done
} >"$recording"

AUDIO_DRIVER=dummy launch "$ROOT" --replay "$recording" --dump-bricks "$WORK/early.csv"
for _ in $(seq 500); do
    [ "$(readlink "/proc/$GAME_PID/fd/"* 2>/dev/null | grep -c "long.rec")" -gt 0 ] && break
    sleep 0.01
done
kill -TERM "$GAME_PID"
expect_end 0 60 "SIGTERM while reading the recording"
[ "$(tail -n 1 "$WORK/early.csv" | cut -d, -f1)" = 1 ] ||
    fail "the game did not stop after its first frame: $(tail -n 1 "$WORK/early.csv")"
echo "a stop while starting ended the game after its first frame, status 0"
