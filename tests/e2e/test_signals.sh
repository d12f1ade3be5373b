#!/usr/bin/env bash
# Ctrl+C (SIGINT) and kill (SIGTERM) end the game while the music plays: within 2 s, through the
# usual shutdown, with status 0 as after Escape.
source "$(dirname "$0")/lib.sh"

# wait_for_music: until the disk audio device has received the start of the normal track.
wait_for_music() {
    for _ in $(seq 100); do
        if [ -s "$WORK/audio.raw" ] &&
            [ "$("$PROBE" "$WORK/audio.raw" "$ROOT/media/sounds/backgroundMusic.wav")" -ge 0 ]; then
            return 0
        fi
        sleep 0.1
    done
    fail "the music never reached the audio device"
}

# expect_signal_ends_game SIGNAL
expect_signal_ends_game() {
    rm -f "$WORK/audio.raw"
    start_game "$ROOT"
    wait_for_music
    kill -s "$1" "$GAME_PID"
    expect_end 0 2 "SIG$1"
    xdotool search --name '^Kelvarin$' >/dev/null 2>&1 && fail "the window outlived the game"
    return 0
}

expect_signal_ends_game INT
expect_signal_ends_game TERM
echo "SIGINT and SIGTERM ended the game within 2 s with status 0"
