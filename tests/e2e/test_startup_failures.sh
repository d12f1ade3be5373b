#!/usr/bin/env bash
# Start-up failures that must not stop the game: no audio device (one line saying sound is off,
# then silence; with the system's own audio choice, no message of the sound library either), a
# shader that cannot be read, and no media folder at all.
source "$(dirname "$0")/lib.sh"

# No audio device: an audio driver that does not exist stands in for a machine without sound.
AUDIO_DRIVER=no-such-device start_game "$ROOT"
hold space 0.5
quit_and_expect 0
[ "$(grep -c "Sound is off" "$WORK/stderr")" -eq 1 ] || fail "expected one line saying sound is off"

# The system's own choice of audio, on a machine without a sound card: the sound library's messages
# stay quiet, and the game says at most its one line.
AUDIO_DRIVER=system start_game "$ROOT"
quit_and_expect 0
grep -q "^ALSA lib" "$WORK/stderr" && fail "the sound library spoke: $(head -n 3 "$WORK/stderr")"
[ "$(grep -c "Sound is off" "$WORK/stderr")" -le 1 ] || fail "sound is off was said more than once"

# A shader source that cannot be read (a folder in its place): the text overlay draws nothing.
mkdir -p "$WORK/unreadable"
cp -r "$ROOT/media" "$WORK/unreadable/"
rm "$WORK/unreadable/media/shaders/Text2D.vert"
mkdir "$WORK/unreadable/media/shaders/Text2D.vert"
start_game "$WORK/unreadable"
# The room is drawn, so its frame is on the screen: the overlay alone is missing.
wait_for_room noText
text=$(count_pixels noText 330x130+0+0 white)
[ "$text" -lt 50 ] || fail "help text drawn without its program ($text white pixels)"
quit_and_expect 0

# No media folder: nothing to draw or play, and still a clean run.
mkdir -p "$WORK/nothing"
start_game "$WORK/nothing"
quit_and_expect 0
echo "no audio device, unreadable shader, missing media: the game ran and quit cleanly"
