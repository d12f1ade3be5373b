#!/usr/bin/env bash
# The README's sizes of share links and recordings, measured in headless Chromium on sessions of
# looking around all the time (tools/web/link-sizes.mjs). Needs build/ and build-web/ as
# scripts/test.sh leaves them.
# Usage: link-sizes.sh [SECONDS...]   (default: 10 60 300)
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build-web/site/index.html ] && [ -x build/kelvarin-sim ] ||
    { echo "nothing built yet: bash scripts/test.sh" >&2; exit 1; }
KELVARIN_SITE=$PWD/build-web/site KELVARIN_SIM=$PWD/build/kelvarin-sim KELVARIN_ROOT=$PWD \
    exec node tools/web/link-sizes.mjs "$@"
