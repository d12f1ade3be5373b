#!/usr/bin/env bash
# Builds the game for the browser into build-web/: site/ (the page, the game as WebAssembly, its
# media as one preloaded data file; static files for any web server) and kelvarin-sim.js
# (kelvarin-sim for node). Debian's emscripten, with its prebuilt system libraries only.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh web
# emscripten's JavaScript optimiser finds its parser in Debian's node modules only when told.
export NODE_PATH=/usr/share/nodejs
emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release -DKELVARIN_TESTS=OFF \
    -DKELVARIN_BENCH=OFF >/dev/null
cmake --build build-web -j"$(nproc)"
echo "build-web/site: $(du -sh build-web/site | cut -f1); serve it with: bash scripts/serve-web.sh"
