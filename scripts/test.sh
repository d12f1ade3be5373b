#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test, the end-to-end ones included,
# in a virtual X server, and the browser build's in headless Chromium. Set KELVARIN_SANITIZE=ON for
# a build with AddressSanitizer and UndefinedBehaviorSanitizer (in build-sanitize/), which leaves
# the browser build out.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

sanitize=${KELVARIN_SANITIZE:-OFF}
build=build
[ "$sanitize" = "ON" ] && build=build-sanitize
werror=OFF
[ -n "${CI:-}" ] && werror=ON

web=""
if [ "$sanitize" != "ON" ]; then
    bash scripts/build-web.sh
    (cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
    web=$PWD/build-web
fi

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVARIN_WERROR="$werror" \
    -DKELVARIN_SANITIZE="$sanitize" -DKELVARIN_TESTS=ON -DKELVARIN_BENCH=ON \
    -DKELVARIN_WEB_BUILD="$web" >/dev/null
cmake --build "$build" -j"$(nproc)"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# The X server's own messages go to build/xvfb.log, to explain a refused connection.
XVFB_LOG=$build/xvfb.log bash scripts/xvfb.sh \
    ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 600
