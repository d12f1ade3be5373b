#!/usr/bin/env bash
# Soak test: the real game in a virtual X server for SECONDS (default 600), shooting every second,
# holding Spacebar for 2 s every 15 s and walking around. Records resident memory every 10 s and
# fails on a crash, a hang (no new frame for 5 s) or memory growth above 2 MB after the first
# minute. Needs a build in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
game=$PWD/build/kelvarin
[ -x "$game" ] || { echo "build the game first (scripts/test.sh)" >&2; exit 1; }
source scripts/xvfb.sh
ensure_display "$0" "$@"

log=$(mktemp)
hud=$(mktemp -d)
# Mesa's heads-up display writes one line per presented frame to its dump folder: a hang shows as
# a file that stops growing.
GALLIUM_HUD=frametime GALLIUM_HUD_PERIOD=0 GALLIUM_HUD_DUMP_DIR="$hud" SDL_AUDIODRIVER=dummy \
    "$game" >"$log" 2>&1 &
pid=$!
trap 'kill -9 $pid 2>/dev/null || true; rm -rf "$log" "$hud"' EXIT
window=$(timeout -k 5 30 xdotool search --sync --name '^Kelvarin$' | head -n 1)
xdotool mousemove --window "$window" 512 384

fail() { echo "SOAK FAILED: $*"; tail -5 "$log"; exit 1; }
rss() { awk '/VmRSS/ {print $2}' "/proc/$pid/status"; }
frames_seen() { cat "$hud"/frametime* 2>/dev/null | wc -l; }

start=$(date +%s)
baseline=""
peak=0
last_frames=$(frames_seen)
last_frame_time=$start
keys=(w a s d)
tick=0
echo "second,rss_kb,frames"
while :; do
    now=$(date +%s)
    elapsed=$((now - start))
    [ "$elapsed" -ge "$seconds" ] && break
    kill -0 "$pid" 2>/dev/null || fail "the game exited at ${elapsed}s"

    xdotool mousedown 1; sleep 0.3; xdotool mouseup 1
    if [ $((tick % 15)) -eq 7 ]; then
        xdotool keydown space; sleep 2; xdotool keyup space
    else
        key=${keys[$((tick % 4))]}
        xdotool keydown "$key"; sleep 0.4; xdotool keyup "$key"
        xdotool mousemove_relative -- $(( (tick % 3 - 1) * 40 )) $(( (tick % 5 - 2) * 10 ))
        sleep 0.2
    fi
    tick=$((tick + 1))

    frames=$(frames_seen)
    if [ "$frames" -gt "$last_frames" ]; then
        last_frames=$frames
        last_frame_time=$(date +%s)
    elif [ $(( $(date +%s) - last_frame_time )) -gt 5 ]; then
        fail "no new frame for 5 s at ${elapsed}s"
    fi

    if [ $((elapsed / 10)) -ne $(( ${last_sample:- -10} / 10 )) ]; then
        last_sample=$elapsed
        kb=$(rss)
        echo "$elapsed,$kb,$frames"
        if [ "$elapsed" -ge 60 ]; then
            [ -z "$baseline" ] && baseline=$kb
            [ "$kb" -gt "$peak" ] && peak=$kb
            [ $((kb - baseline)) -gt 2048 ] && fail "memory grew by $((kb - baseline)) kB since the first minute"
        fi
    fi
done
xdotool keydown Escape; sleep 0.3; xdotool keyup Escape
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
echo "SOAK PASSED: ${seconds}s, memory after the first minute ${baseline} kB, peak ${peak} kB, $(frames_seen) frames"
