#!/usr/bin/env bash
# kelvarin-sim compiled to WebAssembly, under node, prints what the Linux one prints, byte for byte:
# the golden files, the committed recording of the real game (whole and torn) and the same bricks
# at any frame rate, through the very checks the Linux program passes; with "cuts", the recording
# cut after many of its lines instead (a slow variant: a node start each).
# Usage: sim.sh KELVARIN_SIM_JS PROJECT_ROOT [cuts]
set -euo pipefail
sim_js=$(realpath "$1")
root=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '#!/bin/sh\nexec node "%s" "$@"\n' "$sim_js" >"$work/kelvarin-sim"
chmod +x "$work/kelvarin-sim"

cd "$root"
if [ "${3:-}" = cuts ]; then
    tests/replay/check.sh "$work/kelvarin-sim" tests/replay cuts
    exit
fi
tests/golden/check.sh "$work/kelvarin-sim" tests/golden --no-draw
tests/replay/check.sh "$work/kelvarin-sim" tests/replay whole
tests/rates/check.sh "$work/kelvarin-sim" tests/rates/rates.script
