#!/usr/bin/env bash
# Builds the game for the browser into build-web/: site/ (the page, the game as WebAssembly, its
# media as one preloaded data file; static files for any web server) and kelvarin-sim.js
# (kelvarin-sim for node). Debian's emscripten, with its prebuilt system libraries only.
#     bash scripts/build-web.sh                     the build
#     bash scripts/build-web.sh --with-page-tests   and the npm packages the page tests run on
set -euo pipefail
cd "$(dirname "$0")/.."
pageTests=no
case "${1:-}" in
    "") ;;
    --with-page-tests) pageTests=yes ;;
    *) echo "usage: bash scripts/build-web.sh [--with-page-tests]" >&2; exit 2 ;;
esac
bash scripts/deps.sh web
# emscripten's JavaScript optimiser finds its parser in Debian's node modules only when told.
export NODE_PATH=/usr/share/nodejs
emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release -DKELVARIN_TESTS=OFF \
    -DKELVARIN_BENCH=OFF >/dev/null
cmake --build build-web -j"$(nproc)"
echo "build-web/site: $(du -sh build-web/site | cut -f1); serve it with: bash scripts/serve-web.sh"
[ "$pageTests" = yes ] || exit 0
# A copy of the lock file installed from, kept beside the packages: a re-run with the same lock file
# reinstalls nothing.
installed=tests/web/node_modules/.installed-from.json
if ! cmp -s tests/web/package-lock.json "$installed"; then
    (cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
    cp tests/web/package-lock.json "$installed"
fi
