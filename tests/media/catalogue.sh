#!/usr/bin/env bash
# Every case of the corrupt-media catalogue (corrupt.sh) played in kelvarin-sim with drawing (in
# small frames: no picture is judged), through the settling wall, a shot, a second of rewind and
# another shot: each must end with status 0 (the simulator fails a run in which the driver reported
# an error) and every brick at a number.
# Usage: catalogue.sh KELVARIN_SIM PROJECT_ROOT
set -euo pipefail
sim=$1
root=$2
source "$root/tests/media/corrupt.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat >"$work/play.script" <<'PLAY'
60 mouse 0 1400
100 press fire
101 release fire
150 press rewind
210 release rewind
250 press fire
251 release fire
PLAY

status=0
for name in $CORRUPT_CASES; do
    mkdir "$work/$name"
    cp -al "$root/media" "$work/$name/media"
    corrupt_media "$name" "$work/$name/media"
    run=0
    (cd "$work/$name" && "$sim" --size 64x48 --frames 300 --script "$work/play.script") \
        >"$work/$name.csv" 2>"$work/$name.err" || run=$?
    bricks=$(tail -n 77 "$work/$name.csv")
    if [ "$run" -ne 0 ]; then
        echo "FAIL: $name: status $run" >&2
        status=1
    elif grep -qiE 'nan|inf' <<<"$bricks" || [ "$(wc -l <<<"$bricks")" -ne 77 ]; then
        echo "FAIL: $name: bricks that are not numbers" >&2
        status=1
    else
        echo "$name: status 0, bricks at numbers, $(wc -l <"$work/$name.err") lines on stderr"
        continue
    fi
    cat "$work/$name.err" >&2
done
exit $status
