#!/usr/bin/env bash
# Takes docs/screenshot.png: the game in a virtual X server, looking at the brick wall just after a
# shot. Needs a build in build/ (scripts/test.sh or scripts/run.sh makes one).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/screenshot.png}
game=$PWD/build/kelvarin
[ -x "$game" ] || { echo "build the game first (scripts/test.sh)" >&2; exit 1; }

source scripts/xvfb.sh
ensure_display "$0" "$@"

SDL_AUDIODRIVER=dummy "$game" 2>/dev/null &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
window=$(timeout -k 5 30 xdotool search --sync --name '^Kelvarin$' | head -n 1)
xdotool mousemove --window "$window" 512 384
sleep 3
for _ in $(seq 8); do xdotool keydown s; sleep 0.1; xdotool keyup s; done
for _ in $(seq 40); do xdotool mousemove_relative -- 0 25; sleep 0.03; done
sleep 0.5
xdotool mousedown 1; sleep 0.2; xdotool mouseup 1
sleep 0.35
mkdir -p "$(dirname "$out")"
import -window root -crop 1024x768+0+0 +repage "$out"
xdotool keydown Escape; sleep 0.3; xdotool keyup Escape
wait $pid
echo "wrote $out"
