#!/usr/bin/env bash
# kelvarin-sim at its default frame time (1/60 s) must print exactly the committed CSV for each
# committed script: the simulation at 60 frames/s is fixed, whatever else changes.
# Usage: check.sh KELVARIN_SIM GOLDEN_DIR [--no-draw]
set -euo pipefail
sim=$1
dir=$2
shift 2
status=0
for script in "$dir"/*.script; do
    name=$(basename "$script" .script)
    frames=$(sed -n 's/^# frames: *//p' "$script")
    out=$(mktemp)
    "$sim" "$@" --frames "${frames:-600}" --dump-every 30 --script "$script" >"$out"
    if cmp -s "$out" "$dir/$name.csv"; then
        echo "$name: same"
    else
        echo "FAIL: $name differs from $dir/$name.csv" >&2
        diff "$dir/$name.csv" "$out" | head -n 10 >&2 || true
        status=1
    fi
    rm -f "$out"
done
exit $status
