#!/usr/bin/env bash
# Both programs' command lines as a shell user meets them, a table of cases: --help anywhere and
# --version on standard output with status 0; an unknown option, a missing, bad or out-of-range
# value, a recording or script that cannot be replayed and a file to write that is not a regular
# file refused with one line naming it on standard error and status 2, before any window opens (no
# display is given: a game that got that far would fail with 255); a write that fails (a full
# disk, a reader gone) gives status 4 and one line. No case may hang.
# Usage: cli.sh KELVARIN KELVARIN_SIM VERSION
set -uo pipefail
game=$1
sim=$2
version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# check WHAT STATUS STREAM PATTERN COMMAND...: STREAM (stdout or stderr) matches PATTERN (grep -E);
# a refusal on stderr is exactly one line.
check() {
    local what=$1 expected_status=$2 stream=$3 pattern=$4
    shift 4
    local status=0
    timeout -k 5 20 env -u DISPLAY "$@" >"$work/stdout" 2>"$work/stderr" || status=$?
    local text
    text=$(cat "$work/$stream")
    local lines
    lines=$(wc -l <"$work/stderr")
    if [ "$status" -ne "$expected_status" ] || ! grep -qE -- "$pattern" <<<"$text" ||
        { [ "$expected_status" -ne 0 ] && [ "$lines" -ne 1 ]; }; then
        echo "FAIL: $what: status $status (expected $expected_status), $stream: $text" >&2
        [ "$stream" = stdout ] && echo "  stderr: $(cat "$work/stderr")" >&2
        failures=$((failures + 1))
    fi
}

hint="\(kelvarin --help lists the options\)"
simhint="\(kelvarin-sim --help lists the options\)"
frames_range="a whole number from 1 to 5184000 \(a day at 60 frames/s\)"

printf 'kelvarin-script 2\n1 delta 0.016\n2 delta zero\n' >"$work/bad.rec"
printf '10 press jump\n' >"$work/bad.script"
printf '3 press quit\n' >"$work/quit.script"
mkdir "$work/folder" "$work/png" "$work/full"
mkfifo "$work/fifo.rec"
# A folder where the first frame's picture should go: its write fails.
mkdir "$work/png/frame-00001.png"
# "${full[@]}" PROGRAM ARGS...: runs the program where no file may grow past 512 bytes, as on a
# full disk (the signal that would end it is ignored: the write fails instead); standard output is
# spared.
full=(sh -c 'ulimit -f 1; trap "" XFSZ; exec "$@" >/dev/null' full)

check "game help" 0 stdout "^Usage: kelvarin" "$game" --help
check "game help anywhere" 0 stdout "^Usage: kelvarin" "$game" --record x.rec --nope --help
check "game version" 0 stdout "^kelvarin $version\$" "$game" --version
check "game unknown option" 2 stderr "^kelvarin: unknown option '--nope' $hint\$" "$game" --nope
check "game option missing its value" 2 stderr "^kelvarin: option '--record' needs a file $hint" \
    "$game" --record
check "game replay of a bad recording" 2 stderr "^kelvarin: $work/bad.rec:3: bad number\$" \
    "$game" --replay "$work/bad.rec"
check "game replay of a folder" 2 stderr "^kelvarin: cannot read $work/folder: a folder stands there" \
    "$game" --replay "$work/folder"
check "game replay of a FIFO" 2 stderr "^kelvarin: cannot read $work/fifo.rec: not a regular file" \
    "$game" --replay "$work/fifo.rec"
check "game replay of a device" 2 stderr "^kelvarin: cannot read /dev/zero: not a regular file" \
    "$game" --replay /dev/zero
check "game recording to a FIFO" 2 stderr "^kelvarin: cannot write $work/fifo.rec: not a regular file" \
    "$game" --record "$work/fifo.rec"
check "game bricks to a device" 2 stderr "^kelvarin: cannot write /dev/full: not a regular file" \
    "$game" --dump-bricks /dev/full

check "sim help" 0 stdout "^Usage: kelvarin-sim" "$sim" --help
check "sim help anywhere" 0 stdout "^Usage: kelvarin-sim" "$sim" --frames 10x --help
check "sim version" 0 stdout "^kelvarin-sim $version\$" "$sim" --version
check "sim unknown option" 2 stderr "^kelvarin-sim: unknown option '--nope' $simhint\$" "$sim" --nope
check "sim option missing its value" 2 stderr "^kelvarin-sim: option '--frames' needs $frames_range" \
    "$sim" --frames
for bad in "--frames 10x" "--frames 1000000000" "--dump-every 0" "--png-every x"; do
    set -- $bad
    check "sim $bad" 2 stderr "^kelvarin-sim: option '$1' needs $frames_range, not '$2' $simhint\$" \
        "$sim" "$@"
done
check "sim --dt 0" 2 stderr "^kelvarin-sim: option '--dt' needs a number of seconds above 0, up to 1, not '0'" \
    "$sim" --dt 0
for bad in 10 0x5 64x48x2 9000x10; do
    check "sim --size $bad" 2 stderr "^kelvarin-sim: option '--size' needs a size such as 320x240" \
        "$sim" --size "$bad"
done
check "sim pictures without drawing" 2 stderr "^kelvarin-sim: --png draws frames" \
    "$sim" --no-draw --png "$work/png"
check "sim pictures into no folder" 2 stderr "^kelvarin-sim: --png needs a folder that exists" \
    "$sim" --png "$work/none"
check "sim replay of a bad recording" 2 stderr "^kelvarin-sim: $work/bad.rec:3: bad number\$" \
    "$sim" --script "$work/bad.rec"
check "sim bad script" 2 stderr \
    "^kelvarin-sim: $work/bad.script:1: unknown action 'jump'; ACTION is forward, left, back, .*, blast\$" \
    "$sim" --script "$work/bad.script"
check "sim script from a FIFO" 2 stderr "^kelvarin-sim: cannot read $work/fifo.rec: not a regular file" \
    "$sim" --script "$work/fifo.rec"
check "sim bricks to a FIFO" 2 stderr "^kelvarin-sim: cannot write $work/fifo.rec: not a regular file" \
    "$sim" --no-draw --frames 2 --dump-bricks "$work/fifo.rec"
check "sim bricks to a full disk" 4 stderr "^kelvarin: cannot write the bricks to $work/full/b.csv: File too large" \
    "${full[@]}" "$sim" --no-draw --frames 2 --dump-bricks "$work/full/b.csv"
check "sim pictures to a full disk" 4 stderr \
    "^kelvarin-sim: cannot write $work/full/frame-00001.png: File too large; no more frames are saved\$" \
    "${full[@]}" "$sim" --size 64x48 --frames 3 --png "$work/full"
check "sim standard output to a full disk" 4 stderr \
    "^kelvarin-sim: cannot write to standard output" sh -c "'$sim' --no-draw --frames 2 >/dev/full"
check "sim standard output closed early" 4 stderr \
    "^kelvarin-sim: cannot write to standard output: Broken pipe" \
    bash -c "set -o pipefail; '$sim' --no-draw --frames 100 --dump-every 1 | head -c 1 >/dev/null"
check "sim picture that cannot be written" 4 stderr \
    "^kelvarin-sim: cannot write $work/png/frame-00001.png: a folder stands there; no more frames are saved\$" \
    "$sim" --size 16x12 --frames 3 --png "$work/png"
check "sim quit in a script" 0 stdout "^3,76," "$sim" --no-draw --frames 10 --script "$work/quit.script"
[ "$(tail -n 1 "$work/stdout" | cut -d, -f1)" = 3 ] || {
    echo "FAIL: sim quit in a script: the run went past frame 3" >&2
    failures=$((failures + 1))
}
[ -s "$work/full/frame-00002.png" ] && {
    echo "FAIL: sim pictures to a full disk: frames after the failed one were written" >&2
    failures=$((failures + 1))
}

# The maintainer's scripts refuse an option they do not know before installing or building.
for script in test build-web; do
    check "scripts/$script.sh: unknown option" 2 stderr "^usage: bash scripts/$script.sh " \
        bash scripts/$script.sh --no-such-option
done

for program in "$game" "$sim"; do
    wide=$("$program" --help | awk 'length > 79')
    [ -z "$wide" ] || {
        echo "FAIL: $program --help has lines wider than 79 columns: $wide" >&2
        failures=$((failures + 1))
    }
done

[ "$failures" -eq 0 ] && echo "command lines as documented"
exit "$failures"
