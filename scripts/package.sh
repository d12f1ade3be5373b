#!/usr/bin/env bash
# Builds the game for /usr and makes build/kelvarin_<version>_amd64.deb with CPack. Its Depends
# line is computed from the binaries by dpkg-shlibdeps.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh package
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build build -j"$(nproc)" --target kelvarin kelvarin-sim kelvarin_packaging
(cd build && cpack -G DEB >/dev/null)
ls build/kelvarin_*_amd64.deb
