#!/usr/bin/env bash
# A crash leaves a trace: the game writes a report naming the signal, the frame and a symbolised
# backtrace, dies of that signal (status 128 + signal), and its recording, flushed before the
# report, replays in kelvarin-sim to the very frame of the crash. (Every fatal signal's report is
# a unit case; this is the real binary's.)
source "$(dirname "$0")/lib.sh"
SIM=$(dirname "$GAME")/kelvarin-sim
crash_frame=40

for name in SEGV; do
    number=$(kill -l "$name")
    KELVARIN_TEST_CRASH="$number:$crash_frame" AUDIO_DRIVER=dummy launch "$ROOT"
    expect_end $((128 + number)) 60 "SIG$name was raised"
    grep -q "^kelvarin: crashed with SIG$name (signal $number) in frame $crash_frame; backtrace:" \
        "$WORK/stderr" || fail "no crash report for SIG$name"
    grep -q "(_ZN8Platform11swapBuffersEv+" "$WORK/stderr" || fail "the backtrace names no function"
    last=$("$SIM" --no-draw --script "$RECORDING" | tail -n 1 | cut -d, -f1)
    [ "$last" = "$crash_frame" ] || fail "the recording replays to frame $last, not $crash_frame"
done
echo "SIGSEGV: reported with a backtrace, status 139, replayable to its frame"
