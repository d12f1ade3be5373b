#!/usr/bin/env bash
# The Windows build under Wine in a virtual X server: the unit tests that need no window pass,
# kelvarin-sim.exe prints the committed CSV for the golden scripts and the committed recording
# (as text and compact) byte for byte, and the game unpacked from the zip into a fresh folder opens
# its 1024 x 768 "Kelvarin" window, draws the textured room and ends with status 0 on Escape. Run after scripts/build-windows.sh, with DISPLAY
# set (xvfb-run).
# Usage: check.sh [PROJECT_ROOT]
root=$(cd "${1:-$(dirname "$0")/../..}" && pwd)
source "$root/tests/e2e/lib.sh" wine "$root"
out=$root/build-windows
export WINEDEBUG=-all
export WINEPREFIX=$WORK/wine

# Wine's first start builds its prefix: slow, so a step of its own, waited for by its state.
wineboot --init >"$WORK/wineboot.log" 2>&1 || true
for _ in $(seq 120); do
    [ -f "$WINEPREFIX/system.reg" ] && ! pgrep -f wineserver >/dev/null && break
    wineserver --wait 2>/dev/null && break
    sleep 1
done
[ -f "$WINEPREFIX/system.reg" ] || fail "Wine did not set up its prefix"

wine "$out/kelvarin_windows_tests.exe" >"$WORK/unit.log" 2>&1 ||
    { tail -n 30 "$WORK/unit.log" >&2; fail "the Windows unit tests failed"; }
grep -E "^\[  PASSED  \]" "$WORK/unit.log"

cat >"$WORK/sim.sh" <<SIM
#!/usr/bin/env bash
exec wine "$out/kelvarin-sim.exe" "\$@"
SIM
chmod +x "$WORK/sim.sh"
(cd "$root" && "$root/tests/golden/check.sh" "$WORK/sim.sh" "$root/tests/golden" --no-draw) ||
    fail "kelvarin-sim.exe prints other bricks than the Linux build"
(cd "$root" && "$root/tests/replay/check.sh" "$WORK/sim.sh" tests/replay whole) ||
    fail "kelvarin-sim.exe replays the committed recording, text or compact, to other bricks"

mkdir "$WORK/unpacked"
(cd "$WORK/unpacked" && unzip -q "$out/kelvarin-windows.zip")
GAME=kelvarin.exe
(cd "$WORK/unpacked/kelvarin-windows" && exec wine kelvarin.exe) >"$WORK/stdout" 2>"$WORK/stderr" &
GAME_PID=$!
WINDOW=$(timeout -k 5 120 xdotool search --sync --name '^Kelvarin$' | head -n 1) ||
    fail "no window titled Kelvarin appeared"
geometry=$(xdotool getwindowgeometry "$WINDOW" | awk '/Geometry/ {print $2}')
[ "$geometry" = "1024x768" ] || fail "the window is $geometry"
xdotool mousemove --window "$WINDOW" 512 384
sleep 3
import -window "$WINDOW" "$WORK/windows.png"
spread=$(convert "$WORK/windows.png" -colorspace Gray \
    -format "%[fx:standard_deviation > 0.02 && mean > 0.05 ? 1 : 0]" info:)
[ "$spread" = 1 ] || fail "the window shows a flat colour, not the textured room"
quit_and_expect 0
wineserver --kill 2>/dev/null || true
echo "Windows build: unit tests, kelvarin-sim CSV and the game under Wine as on Linux"
