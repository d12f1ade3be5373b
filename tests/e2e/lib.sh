# Shared steps of the end-to-end tests: the real game in the X server named by DISPLAY, driven
# with xdotool, judged by screenshots, recorded audio and exit status.
set -euo pipefail

GAME=$1
ROOT=$2
PROBE=${3:-}
WORK=$(mktemp -d)
GAME_PID=""
trap 'cleanup' EXIT

cleanup() {
    if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then kill -9 "$GAME_PID" 2>/dev/null || true; fi
    rm -rf "$WORK"
}

fail() {
    echo "FAIL: $*" >&2
    [ -f "$WORK/stderr" ] && { echo "--- game stderr:" >&2; cat "$WORK/stderr" >&2; }
    exit 1
}

[ -n "${DISPLAY:-}" ] || fail "no X display: run under Xvfb"

# start_game DIR: runs the game from DIR (which holds media/), with SDL's disk audio recording.
start_game() {
    local dir=$1
    (cd "$dir" && SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$WORK/audio.raw" exec "$GAME") \
        >"$WORK/stdout" 2>"$WORK/stderr" &
    GAME_PID=$!
    WINDOW=$(timeout 30 xdotool search --sync --name '^Kelvarin$' | head -n 1) ||
        fail "no window titled Kelvarin appeared"
    # Let the window take focus and the first frames run.
    xdotool mousemove --window "$WINDOW" 512 384
    sleep 1
}

# hold KEY SECONDS: key down, wait, key up (the game polls once per frame).
hold() {
    xdotool keydown "$1"
    sleep "$2"
    xdotool keyup "$1"
}

# Mouse buttons are not sticky: the button stays down long enough for a slow frame to see it.
click() {
    xdotool mousedown 1
    sleep 0.5
    xdotool mouseup 1
}

# look DX DY STEPS: moves the mouse by DX, DY pixels per step.
look() {
    for _ in $(seq "$3"); do
        xdotool mousemove_relative -- "$1" "$2"
        sleep 0.03
    done
}

shot() { import -window root -crop 1024x768+0+0 +repage "$WORK/$1.png"; }

# differing PNG_A PNG_B: how many pixels differ by more than a little.
differing() { { compare -metric AE -fuzz 8% "$WORK/$1.png" "$WORK/$2.png" null: 2>&1 || true; } | cut -d" " -f1; }

# wait_until_still NAME: screenshots until two taken half a second apart match (the bricks have
# settled, whatever the frame rate), leaving the last as NAME.png.
wait_until_still() {
    shot "$1"
    for _ in $(seq 60); do
        sleep 0.5
        shot "$1-next"
        if [ "$(differing "$1" "$1-next")" -lt 100 ]; then return 0; fi
        mv "$WORK/$1-next.png" "$WORK/$1.png"
    done
    fail "the picture never came to rest"
}

# count_pixels PNG GEOMETRY FX: how many pixels of the region satisfy the fx expression.
count_pixels() {
    convert "$WORK/$1.png" -crop "$2" +repage -fx "$3 ? 1 : 0" -format "%[fx:round(mean*w*h)]" info:
}

# expect_end STATUS SECONDS WHAT: the game must end with STATUS within SECONDS after WHAT.
expect_end() {
    local status=0
    for _ in $(seq $(($2 * 10))); do
        kill -0 "$GAME_PID" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$GAME_PID" 2>/dev/null && fail "the game still ran $2 s after $3"
    wait "$GAME_PID" || status=$?
    GAME_PID=""
    [ "$status" -eq "$1" ] || fail "exit status $status after $3, expected $1"
}

# quit_and_expect STATUS: Escape, then the game must end with STATUS within 20 s.
quit_and_expect() {
    hold Escape 0.3
    expect_end "$1" 20 Escape
}
