#!/usr/bin/env bash
# The Debian package as a player meets it: lintian finds no error, apt-get installs it with its
# dependencies, the game started from an empty folder finds its media and draws the textured room,
# Escape exits 0, the desktop entry and the manual page are valid, and apt-get remove leaves none
# of the package's files behind. Needs root (or sudo), the package made by scripts/package.sh, and
# an X server in DISPLAY.
# Usage: check.sh [PROJECT_ROOT]
root=$(cd "${1:-$(dirname "$0")/../..}" && pwd)
source "$root/tests/e2e/lib.sh" /usr/bin/kelvarin "$root"

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
deb=$(ls "$root"/build/kelvarin_*_amd64.deb) || fail "no package: run scripts/package.sh"

lintian "$deb" >"$WORK/lintian" 2>/dev/null || true
grep '^E:' "$WORK/lintian" && fail "lintian reports errors"

DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "$deb" >/dev/null ||
    fail "apt-get could not install $deb"
trap '$sudo apt-get remove -y -qq kelvarin >/dev/null 2>&1 || true; cleanup' EXIT
dpkg-query -L kelvarin >"$WORK/files"

desktop-file-validate /usr/share/applications/kelvarin.desktop || fail "invalid desktop entry"
man --warnings -l /usr/share/man/man6/kelvarin.6.gz >/dev/null 2>"$WORK/man-warnings"
[ -s "$WORK/man-warnings" ] && fail "the manual page renders with warnings: $(cat "$WORK/man-warnings")"
[ "$(kelvarin --version)" = "kelvarin $(dpkg-query -W -f='${Version}' kelvarin)" ] ||
    fail "kelvarin --version does not match the package"

mkdir "$WORK/empty"
start_game "$WORK/empty"
sleep 1
shot installed
spread=$(convert "$WORK/installed.png" -colorspace Gray \
    -format "%[fx:standard_deviation > 0.02 && mean > 0.05 ? 1 : 0]" info:)
[ "$spread" = 1 ] || fail "the window shows a flat colour, not the textured room"
grep -q "no media folder" "$WORK/stderr" && fail "the installed game did not find its media"
quit_and_expect 0

$sudo apt-get remove -y -qq kelvarin >/dev/null || fail "apt-get remove failed"
left=""
while read -r path; do
    [ -d "$path" ] && continue
    if [ -e "$path" ] || [ -L "$path" ]; then left="$left $path"; fi
done <"$WORK/files"
[ -z "$left" ] || fail "left behind after removal:$left"
[ -d /usr/share/kelvarin ] && fail "left behind after removal: /usr/share/kelvarin"
echo "package $(basename "$deb"): installed, played from an empty folder, removed cleanly"
