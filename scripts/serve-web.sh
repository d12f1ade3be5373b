#!/usr/bin/env bash
# Serves build-web/site on this machine only (python3's http.server) and says where to look.
# Usage: serve-web.sh [PORT]
set -euo pipefail
cd "$(dirname "$0")/.."
port=${1:-8080}
[ -f build-web/site/index.html ] || { echo "no site yet: bash scripts/build-web.sh" >&2; exit 1; }
echo "Kelvarin is at http://127.0.0.1:$port/ (Ctrl+C stops serving)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build-web/site
