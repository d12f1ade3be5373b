#!/usr/bin/env bash
# Installs what is missing, builds the game and runs it from the folder that holds media/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVARIN_TESTS=OFF -DKELVARIN_BENCH=OFF >/dev/null
cmake --build build --target kelvarin -j"$(nproc)"
exec ./build/kelvarin
