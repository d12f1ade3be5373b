#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test, the end-to-end ones included,
# in a virtual X server, and the browser build's in headless Chromium. Set KELVARIN_SANITIZE=ON for
# a build with AddressSanitizer and UndefinedBehaviorSanitizer (in build-sanitize/), which leaves
# the browser build out.
#     bash scripts/test.sh           every test but CI's slow variants
#     bash scripts/test.sh --quick   the unit and scene tests and the simulator's checks only: no
#                                    browser, no end-to-end game (the edit loop's tier)
#     bash scripts/test.sh --ci      CI's slow variants only: each case in a process of its own,
#                                    and in shuffled orders
set -euo pipefail
cd "$(dirname "$0")/.."

case "${1:-}" in
    "") labels=(-LE ci) ;;
    --quick) labels=(-L quick) ;;
    --ci) labels=(-L ci) ;;
    *) echo "usage: bash scripts/test.sh [--quick | --ci]" >&2; exit 2 ;;
esac
bash scripts/deps.sh

sanitize=${KELVARIN_SANITIZE:-OFF}
build=build
[ "$sanitize" = "ON" ] && build=build-sanitize
werror=OFF
[ -n "${CI:-}" ] && werror=ON

web=()
webJob=""
if [ "$sanitize" != "ON" ] && [ -z "${1:-}" ]; then
    # The browser's packages (mostly downloads), its build and the page tests' npm packages go on
    # beside the desktop build: the downloads, and each build's configure and links, overlap the
    # other's compiles. What they print is shown when they end. A run that stops early still waits for them, so that no package
    # manager is left half done.
    mkdir -p "$build"
    webLog=$build/web-build.log
    bash scripts/build-web.sh --with-page-tests >"$webLog" 2>&1 &
    webJob=$!
    trap 'wait' EXIT
    web=(-DKELVARIN_WEB_BUILD="$PWD/build-web")
fi

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVARIN_WERROR="$werror" \
    -DKELVARIN_SANITIZE="$sanitize" -DKELVARIN_TESTS=ON -DKELVARIN_BENCH=ON "${web[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)"
if [ -n "$webJob" ]; then
    webStatus=0
    wait "$webJob" || webStatus=$?
    cat "$webLog"
    [ "$webStatus" -eq 0 ] || exit "$webStatus"
fi

jobs=$(($(nproc) + 1))
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
# Thread-local storage is not scanned for pointers: the leak checker's walk of the dynamically
# loaded blocks (the OpenGL driver's, unloaded with the window library) read a bogus range and
# crashed its own thread at exit in some runs. Skipping it can only report more, never hide a leak;
# what the dynamic loader then shows is suppressed by name.
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp:print_suppressions=0:use_tls=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# The X server's own messages go to build/xvfb.log, to explain a refused connection.
XVFB_LOG=$build/xvfb.log bash scripts/xvfb.sh \
    ctest --test-dir "$build" --output-on-failure -j"$jobs" --timeout 600 "${labels[@]}"
