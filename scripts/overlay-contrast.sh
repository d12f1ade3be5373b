#!/usr/bin/env bash
# Measures the contrast of the overlays' white text over their backdrops, on screenshots of the
# game in a virtual X server: at four views (the far wall, the wall and the floor, a near wall,
# straight down at the floor) the statistics and PAUSED, then the options, then the replay held
# with its timeline. A backdrop pixel is one that is the scene's own darkened to a fifth (the
# same view without that overlay shows the scene); each is counted as over the floor, a brick or
# a wall by the scene's colour, and the brightest of each sets the worst contrast, printed as
# WCAG ratios. Needs a build in build/ (scripts/test.sh or scripts/run.sh makes one).
set -euo pipefail
cd "$(dirname "$0")/.."
game=$PWD/build/kelvarin
[ -x "$game" ] || { echo "build the game first (scripts/test.sh)" >&2; exit 1; }

source scripts/xvfb.sh
ensure_display "$0" "$@"

shots=$(mktemp -d)
trap 'rm -r "$shots"' EXIT

press() {
    xdotool keydown "$1"
    sleep 0.2
    xdotool keyup "$1"
    sleep 0.3
}

look() {
    local times=$1 dy=$2
    for _ in $(seq "$times"); do
        xdotool mousemove_relative -- 0 "$dy"
        sleep 0.03
    done
}

move_to() {
    case $1 in
    far-wall) ;;
    wall-and-floor) look 40 40 ;;
    near-wall)
        for _ in $(seq 12); do press w; done
        look 30 25
        ;;
    floor) look 90 40 ;;
    esac
}

start_game() {
    SDL_AUDIODRIVER=dummy "$game" "$@" 2>/dev/null &
    local window
    window=$(timeout -k 5 30 xdotool search --sync --name '^Kelvarin$' | head -n 1)
    xdotool mousemove --window "$window" 512 384
}

shoot() {
    import -window root -crop 1024x768+0+0 +repage -depth 8 "rgb:$1"
}

for view in far-wall wall-and-floor near-wall floor; do
    out=$shots/$view
    start_game --record "$out.rec"
    sleep 3
    move_to "$view"
    sleep 3
    press i
    press p
    shoot "$out.stats"
    press Tab
    shoot "$out.options"
    press Tab
    press Escape
    wait
    start_game --replay "$out.rec"
    sleep 8
    press p
    shoot "$out.replay"
    press Escape
    wait
done

python3 - "$shots" <<'PY'
import sys
from collections import defaultdict

WIDTH = 1024
# Each overlay: the shot with it, a shot of the same view without it, and a box inside it.
OVERLAYS = {
    'statistics': ('stats', 'options', (30, 200, 266, 278)),
    'marks': ('stats', 'replay', (916, 20, 1014, 42)),
    'options': ('options', 'replay', (408, 282, 966, 719)),
    'timeline': ('replay', 'stats', (24, 700, 1000, 768)),
}

def luminance(p):
    def linear(v):
        v /= 255
        return v / 12.92 if v <= 0.03928 else ((v + 0.055) / 1.055) ** 2.4
    return 0.2126 * linear(p[0]) + 0.7152 * linear(p[1]) + 0.0722 * linear(p[2])

def surface(p):
    if p[0] > 1.3 * p[1] and p[0] > 1.3 * p[2]:
        return 'a brick'
    return 'the floor' if luminance(p) > 0.3 else 'a wall'

def pixel(image, x, y):
    i = (y * WIDTH + x) * 3
    return image[i:i + 3]

brightest = defaultdict(float)
for view in ['far-wall', 'wall-and-floor', 'near-wall', 'floor']:
    read = lambda shot: open(f'{sys.argv[1]}/{view}.{shot}', 'rb').read()
    for name, (on, off, (x0, y0, x1, y1)) in OVERLAYS.items():
        shown, scene = read(on), read(off)
        for y in range(y0, y1):
            for x in range(x0, x1):
                a, b = pixel(shown, x, y), pixel(scene, x, y)
                if max(b) >= 40 and all(abs(a[k] - 0.2 * b[k]) <= 3 for k in range(3)):
                    key = (name, surface(b))
                    brightest[key] = max(brightest[key], luminance(a))
for name in OVERLAYS:
    over = [f'over {s} {1.05 / (brightest[(name, s)] + 0.05):.1f}:1'
            for s in ['the floor', 'a brick', 'a wall'] if (name, s) in brightest]
    print(f'{name}: ' + ', '.join(over))
PY
