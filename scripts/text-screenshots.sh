#!/usr/bin/env bash
# Takes docs/text-100.png and docs/text-200.png: the game in a virtual X server at each text size,
# paused with the statistics and the options open, to show the overlays laid out together. Needs a
# build in build/ (scripts/test.sh or scripts/run.sh makes one).
set -euo pipefail
cd "$(dirname "$0")/.."
game=$PWD/build/kelvarin
[ -x "$game" ] || { echo "build the game first (scripts/test.sh)" >&2; exit 1; }

source scripts/xvfb.sh
ensure_display "$0" "$@"

press() {
    xdotool keydown "$1"
    sleep 0.2
    xdotool keyup "$1"
    sleep 0.3
}

shoot_at_size() {
    local percent=$1 out=docs/text-$1.png config
    config=$(mktemp -d)
    mkdir -p "$config/kelvarin"
    echo "text_size = $percent" >"$config/kelvarin/settings.ini"
    XDG_CONFIG_HOME=$config SDL_AUDIODRIVER=dummy "$game" 2>/dev/null &
    local pid=$!
    local window
    window=$(timeout -k 5 30 xdotool search --sync --name '^Kelvarin$' | head -n 1)
    xdotool mousemove --window "$window" 512 384
    sleep 4
    press i
    press p
    press Tab
    sleep 0.5
    import -window root -crop 1024x768+0+0 +repage "$out"
    press Tab
    press Escape
    wait $pid
    rm -r "$config"
    echo "wrote $out"
}

shoot_at_size 100
shoot_at_size 200
