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

// Every fatal signal is reported with the frame in progress, the frames before the first one
// included, and the process then dies of it.
TEST(SignalsDeathTest, ACrashReportNamesTheSignalAndTheFrameInProgress) {
    const struct {
        int signal;
        const char* name;
        int frame;
    } crashes[] = {{SIGSEGV, "SIGSEGV", 0},
                   {SIGBUS, "SIGBUS", 40},
                   {SIGFPE, "SIGFPE", 40},
                   {SIGILL, "SIGILL", 40},
                   {SIGABRT, "SIGABRT", 7}};
    for (const auto& c : crashes) {
        EXPECT_EXIT(
            {
                Platform::CrashReport::install();
                Platform::CrashReport::noteFrame(c.frame);
                std::raise(c.signal);
            },
            testing::KilledBySignal(c.signal),
            std::string("kelvarin: crashed with ") + c.name + " \\(signal " +
                std::to_string(c.signal) + "\\) in frame " + std::to_string(c.frame) +
                "; backtrace:")
            << c.name;
    }
}
