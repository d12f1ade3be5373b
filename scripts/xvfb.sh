#!/usr/bin/env bash
# The virtual X server of every test, script and CI step: xvfb-run with one screen of 1280 x 1024 at
# 24 bits, on a free display number. As a command, runs COMMAND in one:
#     bash scripts/xvfb.sh COMMAND [ARGS...]      (XVFB_LOG=FILE keeps the server's messages)
# Sourced by a script that needs a display, `ensure_display "$0" "$@"` runs that script again
# inside one unless a display is already there. The server never resets: by default it resets when
# its last client leaves, and a test connecting just then (a game quit, the next not yet started)
# was refused ("Can't open display").
xvfb_screen="-screen 0 1280x1024x24 -noreset"

in_xvfb() {
    xvfb-run -a -e "${XVFB_LOG:-/dev/null}" -s "$xvfb_screen" "$@"
}

ensure_display() {
    if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a -s "$xvfb_screen" "$@"; fi
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -euo pipefail
    in_xvfb "$@"
fi
