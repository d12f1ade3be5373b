# Shared steps of the end-to-end tests: the real game in an X server of the test's own, driven
# with xdotool, judged by screenshots, recorded audio and exit status. Each test's screen, window
# search and screenshots are its own, so tests run side by side.
set -euo pipefail

GAME=$1
ROOT=$2
PROBE=${3:-}
WORK=$(mktemp -d)
GAME_PID=""
XVFB_PID=""
RUNS=0
# A failed test keeps its folder: the game's output, its recordings and screenshots.
KEEP_WORK=0
trap 'cleanup' EXIT

cleanup() {
    if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then kill -9 "$GAME_PID" 2>/dev/null || true; fi
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
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

# The server picks a free display number itself and writes it once it takes connections. It never
# resets: a connection just as the last client left would be refused. Its keys never repeat by
# themselves (the longest delay it takes, in ms): on a busy machine it may read a tapped key's
# release only after the delay, and a repeated arrow moves the options' choice one line more.
start_display() {
    command -v Xvfb >/dev/null || fail "no Xvfb to run the game in"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp -ardelay 65535 \
        3>"$WORK/display" 2>"$WORK/xvfb.log" &
    XVFB_PID=$!
    for _ in $(seq 300); do
        [ -s "$WORK/display" ] && break
        kill -0 "$XVFB_PID" 2>/dev/null || fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
        sleep 0.05
    done
    [ -s "$WORK/display" ] || fail "Xvfb gave no display in 15 s"
    export DISPLAY=":$(cat "$WORK/display")"
}
start_display

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

# shot NAME [GEOMETRY]: the screen's top left (the game's window, 1024x768 unless given) as
# NAME.png. PNG at zlib's fastest level, unfiltered: the default compression cost a second of CPU a
# shot, taken from the game and the tests beside it, to save a quarter of a file that only the
# counts read (and a person, when a failed test keeps it).
shot() { import -window root -crop "${2:-1024x768}+0+0" +repage -quality 10 "$WORK/$1.png"; }

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

# wait_for_change BEFORE NAME WHAT [LEAST]: screenshots as NAME until more than LEAST (20000)
# pixels differ from BEFORE (a busy machine shows a change late), for 15 s at most.
wait_for_change() {
    for _ in $(seq 30); do
        shot "$2"
        [ "$(differing "$1" "$2")" -gt "${4:-20000}" ] && return 0
        sleep 0.5
    done
    fail "$3 did not change the view (only $(differing "$1" "$2") pixels)"
}

# wait_for_pixels NAME GEOMETRY KIND LEAST WHAT: screenshots as NAME until the region has more than
# LEAST pixels of the kind (see count_pixels), for 15 s at most.
wait_for_pixels() {
    for _ in $(seq 30); do
        shot "$1"
        [ "$(count_pixels "$1" "$2" "$3")" -gt "$4" ] && return 0
        sleep 0.5
    done
    fail "$5 ($(count_pixels "$1" "$2" "$3") $3 pixels)"
}

# textured PNG GEOMETRY: the region is the lit, textured room (varied, not one flat colour).
textured() {
    local spread
    spread=$(convert "$WORK/$1.png" -crop "$2" +repage -colorspace Gray \
        -format "%[fx:standard_deviation > 0.02 && mean > 0.05 ? 1 : 0]" info:)
    [ "$spread" = 1 ]
}

# wait_for_room NAME: screenshots as NAME until the room is drawn below the help text, for 15 s.
wait_for_room() {
    for _ in $(seq 30); do
        shot "$1"
        textured "$1" 1024x600+0+168 && return 0
        sleep 0.5
    done
    fail "the room was never drawn"
}

# count_pixels PNG GEOMETRY KIND: how many pixels of the region are white (the help text) or brick.
count_pixels() {
    "$(dirname "$PROBE")/kelvarin_pixel_count" "$WORK/$1.png" "$2" "$3"
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
