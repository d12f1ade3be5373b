#!/usr/bin/env bash
# Takes docs/phone.png: the page on a phone held sideways, in headless Chromium. Needs the browser
# build and the page tests' node modules (scripts/test.sh makes both).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-docs/phone.png}")
[ -f build-web/site/index.html ] || { echo "build the page first (scripts/build-web.sh)" >&2; exit 1; }
cd tests/web
KELVARIN_SITE=$PWD/../../build-web/site KELVARIN_ROOT=$PWD/../.. node phone-shot.mjs "$out"
# At the phone's CSS size: the README's picture need not weigh what three pixels a pixel weigh.
convert "$out" -resize 844x390 -strip "$out"
echo "wrote $out"
