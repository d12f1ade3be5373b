# Shared steps of the end-to-end tests: the real game in the X server named by DISPLAY, driven
# with xdotool, judged by screenshots, recorded audio and exit status.
set -euo pipefail

GAME=$1
ROOT=$2
PROBE=${3:-}
WORK=$(mktemp -d)
GAME_PID=""
RUNS=0
# A failed test keeps its folder: the game's output, its recordings and screenshots.
KEEP_WORK=0
trap 'cleanup' EXIT

cleanup() {
    if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then kill -9 "$GAME_PID" 2>/dev/null || true; fi
    if [ "$KEEP_WORK" = 1 ]; then echo "kept for inspection: $WORK" >&2; else rm -rf "$WORK"; fi
}

fail() {
    echo "FAIL: $*" >&2
    KEEP_WORK=1
    [ -f "$WORK/stderr" ] && { echo "--- game stderr (a crash report included):" >&2; cat "$WORK/stderr" >&2; }
    [ -n "${RECORDING:-}" ] && echo "--- its session, replayable with kelvarin-sim --script: $RECORDING" >&2
    [ -n "${MALLOC_PERTURB:-}" ] && echo "--- run with MALLOC_PERTURB_=$MALLOC_PERTURB" >&2
    exit 1
}

[ -n "${DISPLAY:-}" ] || fail "no X display: run under Xvfb"

# Outside the sanitizers' build (which brings its own allocator), the games run under glibc's malloc
# checking, which aborts at heap corruption that would otherwise pass unseen, with freed and new
# memory filled with a byte that changes from run to run.
MALLOC_PERTURB=""
malloc_checking=()
# (Read whole, not piped to grep -q: with pipefail, ldd cut off by a broken pipe would read as no
# sanitizer.)
if [[ "$(ldd "$GAME" 2>/dev/null || true)" != *libasan* ]]; then
    MALLOC_PERTURB=$((RANDOM % 255 + 1))
    malloc_checking=(MALLOC_CHECK_=3 LD_PRELOAD=libc_malloc_debug.so.0 MALLOC_PERTURB_="$MALLOC_PERTURB")
fi

# launch DIR [ARGS...]: runs the game from DIR (which holds media/) in the background, with SDL's
# disk audio recording (AUDIO_DRIVER overrides; "system" leaves SDL its own choice), recording its
# session unless ARGS do.
launch() {
    local dir=$1
    shift
    local args=("$@")
    RUNS=$((RUNS + 1))
    RECORDING=""
    if [[ " ${args[*]} " != *" --record "* ]]; then
        RECORDING="$WORK/game-$RUNS.rec"
        args+=(--record "$RECORDING")
    fi
    # One thread of the software driver draws the game: the other core is left to the screenshots
    # judging it and to the tests running beside it.
    local audio=(SDL_AUDIODRIVER="${AUDIO_DRIVER:-disk}")
    [ "${AUDIO_DRIVER:-}" = system ] && audio=(-u SDL_AUDIODRIVER)
    (cd "$dir" && exec env "${audio[@]}" "${malloc_checking[@]}" LP_NUM_THREADS=1 \
        SDL_DISKAUDIOFILE="$WORK/audio.raw" "$GAME" "${args[@]}") \
        >"$WORK/stdout" 2>"$WORK/stderr" &
    GAME_PID=$!
}

# start_game DIR [ARGS...]: launch, then wait for the window.
start_game() {
    launch "$@"
    WINDOW=$(timeout -k 5 30 xdotool search --sync --name '^Kelvarin$' | head -n 1) ||
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
