#!/usr/bin/env bash
# Makes docs/animation.gif for the README: kelvarin-sim draws docs/animation.script offscreen (no
# display server needed) and every fourth frame from the shot on becomes a frame of the GIF. The
# simulation, the drawing and the encoding are deterministic, so the file comes out the same.
# Needs a build in build/ (scripts/test.sh makes one).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/animation.gif}
sim=$PWD/build/kelvarin-sim
[ -x "$sim" ] || { echo "build kelvarin-sim first (scripts/test.sh)" >&2; exit 1; }
frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT

last=$(sed -n 's/^# frames: *//p' docs/animation.script)
"$sim" --frames "$last" --script docs/animation.script --png "$frames" --png-every 4 >/dev/null
# From just before the shot to the end of the rewind, at 15 frames/s (every fourth 60 Hz frame).
mapfile -t shown < <(ls "$frames"/frame-*.png | awk -F'frame-|[.]png' '$2 >= 196')
convert -delay 7 -loop 0 "${shown[@]}" -resize 400x300 -colors 64 -fuzz 3% -layers OptimizeTransparency "$out"
echo "wrote $out ($(stat -c %s "$out") bytes)"
