#!/usr/bin/env bash
# The window can be resized: at 1200 x 675 the room is drawn into the whole window, the help text
# stays in the top-left corner, and Escape still exits 0.
source "$(dirname "$0")/lib.sh"

start_game "$ROOT"
xdotool windowsize --sync "$WINDOW" 1200 675
geometry=$(xdotool getwindowgeometry "$WINDOW" | grep Geometry | awk '{print $2}')
[ "$geometry" = "1200x675" ] || fail "window is $geometry after the resize"

# The game draws at the new size from its next frame, which a busy machine may delay by seconds.
for _ in $(seq 60); do
    shot resized 1200x675
    textured resized 170x675+1030+0 && break
    sleep 0.5
done
cp "$WORK/resized.png" "${KELVARIN_RESIZE_SHOT:-/dev/null}" 2>/dev/null || true
textured resized 170x675+1030+0 || fail "the part right of x = 1024 is not drawn"
textured resized 1200x60+0+615 || fail "the bottom of the window is not drawn"
text=$(count_pixels resized 330x130+0+0 white)
[ "$text" -gt 300 ] || fail "no help text in the top-left corner ($text white pixels)"
quit_and_expect 0
echo "resized to 1200 x 675: room drawn everywhere, help text in place"
