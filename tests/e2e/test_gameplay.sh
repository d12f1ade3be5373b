#!/usr/bin/env bash
# The whole game: bricks settle into a wall, a shot knocks bricks about, holding Spacebar plays the
# reversed track and moves the bricks back, releasing resumes the normal track, Escape quits.
source "$(dirname "$0")/lib.sh"

start_game "$ROOT"
sleep 3          # the bricks drop into rows and fall asleep
look 0 25 55     # about 55 degrees down, at the wall's front
sleep 0.5
shot wall
bricks=$(count_pixels wall 1024x600+0+168 "r > g + 0.15 && r > b + 0.15")
[ "$bricks" -gt 50000 ] || fail "no wall of bricks in view ($bricks brick pixels)"
text=$(count_pixels wall 330x130+0+0 "r > 0.8 && g > 0.8 && b > 0.8")
[ "$text" -gt 300 ] || fail "no help text over the scene"

click
sleep 1.5
shot hit
knocked=$(differing wall hit)
[ "$knocked" -gt 5000 ] || fail "the shot changed too little ($knocked pixels)"

xdotool keydown space
sleep 2.5
shot rewound
xdotool keyup space
back=$(differing wall rewound)
[ "$back" -lt "$knocked" ] || fail "rewinding did not bring the bricks back ($back vs $knocked)"
sleep 1

normal=$("$PROBE" "$WORK/audio.raw" "$ROOT/media/sounds/backgroundMusic.wav")
[ "$normal" -ge 0 ] || fail "the normal track was not heard"
reversed=$("$PROBE" "$WORK/audio.raw" "$ROOT/media/sounds/backgroundMusicBackwards.wav" "$normal")
[ "$reversed" -gt "$normal" ] || fail "the reversed track was not heard while rewinding"
resumed=$("$PROBE" "$WORK/audio.raw" "$ROOT/media/sounds/backgroundMusic.wav" "$reversed")
[ "$resumed" -gt "$reversed" ] || fail "the normal track did not restart after the rewind"

quit_and_expect 0
cp "$WORK/hit.png" "${KELVARIN_SCREENSHOT:-/dev/null}" 2>/dev/null || true
echo "bricks $bricks, shot changed $knocked pixels, rewind left $back; audio at $normal, $reversed, $resumed"
