#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>

#include "platform/CrashReport.h"
#include "platform/StopSignals.h"

namespace {

double fakeSeconds = 0.0;

double fakeClock() {
    return fakeSeconds;
}

}  // namespace

// GNU timeout signals the process and then its group microseconds apart, a closed terminal sends
// more than one: signals within a second of the first are one request, whatever the signal. A
// later one means the player has waited long enough: the process ends at once, of that signal.
TEST(SignalsDeathTest, StopSignalsWithinASecondAreOneRequestAndALaterOneEndsTheProcess) {
    EXPECT_EXIT(
        {
            Platform::StopSignals::useClock(fakeClock);
            Platform::StopSignals::install();
            fakeSeconds = 100.0;
            std::raise(SIGTERM);
            fakeSeconds = 100.000001;
            std::raise(SIGTERM);
            fakeSeconds = 100.99;
            std::raise(SIGHUP);
            if (!Platform::StopSignals::isStopRequested()) std::_Exit(3);
            fakeSeconds = 101.5;
            std::raise(SIGINT);
            std::_Exit(0);
        },
        testing::KilledBySignal(SIGINT), "");
}

// The report names the frame in progress, the frames before the first one included.
TEST(SignalsDeathTest, ACrashReportNamesTheSignalAndTheFrameInProgress) {
    for (const int frame : {0, 40}) {
        EXPECT_EXIT(
            {
                Platform::CrashReport::install();
                Platform::CrashReport::noteFrame(frame);
                std::raise(SIGFPE);
            },
            testing::KilledBySignal(SIGFPE),
            "kelvarin: crashed with SIGFPE \\(signal 8\\) in frame " + std::to_string(frame) +
                "; backtrace:");
    }
}
