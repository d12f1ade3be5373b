#!/usr/bin/env bash
# session.rec was recorded by the real game (tests/e2e/test_record_replay.sh with KELVARIN_KEEP)
# and session.csv is the game's own brick dump at its end. kelvarin-sim replaying the recording
# must give the same bricks, as must its compact form; a recording cut at a line boundary (a crash
# keeps whole lines up to the last flush) still replays up to its last frame, unless the cut left
# that frame without its time; one cut mid-line is refused by file and line.
# Usage: check.sh KELVARIN_SIM DIR [whole | cuts]   (whole: only the whole recording and the torn
# one; cuts: only the cut ones; both by default)
set -euo pipefail
sim=$1
dir=$2
only=${3:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

lines=$(wc -l <"$dir/session.rec")
if [ "$only" != cuts ]; then
    "$sim" --no-draw --script "$dir/session.rec" --dump-bricks "$work/sim.csv" >/dev/null
    cmp "$dir/session.csv" "$work/sim.csv" || { echo "FAIL: replay differs from the game" >&2; exit 1; }
    # In compact form, as the game writes recordings now, it replays the same.
    "$sim" --script "$dir/session.rec" --convert "$work/session.compact"
    "$sim" --no-draw --script "$work/session.compact" --dump-bricks "$work/compact.csv" >/dev/null
    cmp "$dir/session.csv" "$work/compact.csv" ||
        { echo "FAIL: the compact form replays otherwise" >&2; exit 1; }
    head -c -3 "$dir/session.rec" >"$work/torn.rec"
    if "$sim" --no-draw --script "$work/torn.rec" >/dev/null 2>"$work/torn.err"; then
        echo "FAIL: a recording cut mid-line was replayed" >&2
        exit 1
    fi
    grep -q "torn.rec:$lines: cut off mid-line" "$work/torn.err" ||
        { echo "FAIL: unexpected message: $(cat "$work/torn.err")" >&2; exit 1; }
    echo "replay equals the game's bricks; a torn recording is refused by its line"
fi
[ "$only" = whole ] && exit 0

cuts=0
for ((keep = 2; keep <= lines; keep += 7)); do
    head -n "$keep" "$dir/session.rec" >"$work/cut.rec"
    last=$(awk 'NR > 1 { f = $1 } END { print f }' "$work/cut.rec")
    # Cut between a frame's cursor lines and its time: that frame has none, and is refused.
    if ! grep -q "^$last delta " "$work/cut.rec"; then
        ! "$sim" --no-draw --script "$work/cut.rec" 2>"$work/cut.err" >/dev/null &&
            grep -q "cut.rec:$keep: frame $last has no 'delta' line" "$work/cut.err" ||
            { echo "FAIL: a cut before frame $last's time was not refused" >&2; exit 1; }
        continue
    fi
    "$sim" --no-draw --script "$work/cut.rec" >"$work/cut.csv" ||
        { echo "FAIL: a recording cut after line $keep does not replay" >&2; exit 1; }
    got=$(tail -n 1 "$work/cut.csv" | cut -d, -f1)
    [ "$got" = "$last" ] ||
        { echo "FAIL: cut after line $keep replayed to frame $got, not $last" >&2; exit 1; }
    cuts=$((cuts + 1))
done

echo "$cuts cut recordings replay to their last frame"
