#!/usr/bin/env bash
# The simulation runs in steps of 1/60 s of real time whatever the frame rate: kelvarin-sim at 75,
# 120 and 144 frames/s must leave every brick exactly where it is at 60 frames/s after the same
# simulated time, through a shot and two rewinds. An event at frame F of the 60 frames/s script
# (F = 20k + 1) moves to frame 1 + (F - 1) * RATE / 60, the frame whose first step is step F.
# Usage: check.sh KELVARIN_SIM SCRIPT
set -euo pipefail
sim=$1
script=$2
last=1001
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

bricks() { tail -n 77 | cut -d, -f2-; }

"$sim" --no-draw --frames "$last" --script "$script" | bricks >"$work/60.csv"
status=0
for rate in 75 120 144; do
    awk -v r="$rate" '/^#/ || NF == 0 { next } { $1 = 1 + ($1 - 1) * r / 60; print }' \
        "$script" >"$work/$rate.script"
    dt=$(awk -v r="$rate" 'BEGIN { printf "%.17g", 1 / r }')
    frames=$((1 + (last - 1) * rate / 60))
    "$sim" --no-draw --dt "$dt" --frames "$frames" --script "$work/$rate.script" | bricks \
        >"$work/$rate.csv"
    if cmp -s "$work/60.csv" "$work/$rate.csv"; then
        echo "$rate frames/s: same bricks as at 60"
    else
        echo "FAIL: at $rate frames/s the bricks differ from 60 frames/s" >&2
        diff "$work/60.csv" "$work/$rate.csv" | head -n 6 >&2 || true
        status=1
    fi
done
exit $status
