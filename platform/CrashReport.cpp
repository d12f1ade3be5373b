#include "platform/CrashReport.h"

#include <csignal>
#include <cstdlib>

#include "platform/SignalHandlers.h"

namespace Platform::CrashReport {
namespace {

using SignalHandlers::say;

struct Fatal {
    int signal;
    const char* name;
};

constexpr Fatal kFatal[] = {
    {SIGSEGV, "SIGSEGV"},
#ifdef SIGBUS
    {SIGBUS, "SIGBUS"},
#endif
    {SIGFPE, "SIGFPE"},   {SIGILL, "SIGILL"}, {SIGABRT, "SIGABRT"},
};
constexpr const char* kTestCrashVariable = "KELVARIN_TEST_CRASH";

bool installed = false;
volatile std::sig_atomic_t frameInProgress = 0;
Hook beforeReport = nullptr;
int testSignal = 0;
int testFrame = 0;

void sayNumber(long value) {
    char digits[24];
    char* end = digits + sizeof digits;
    char* p = end;
    *--p = '\0';
    const bool negative = value < 0;
    unsigned long magnitude = negative ? 0UL - static_cast<unsigned long>(value) : value;
    do {
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative) *--p = '-';
    say(p);
}

const char* nameOf(int signal) {
    for (const Fatal& fatal : kFatal) {
        if (fatal.signal == signal) return fatal.name;
    }
    return "an unexpected signal";
}

void onFatalSignal(int signal) {
    if (beforeReport) beforeReport();
    say("kelvarin: crashed with ");
    say(nameOf(signal));
    say(" (signal ");
    sayNumber(signal);
    say(") in frame ");
    sayNumber(frameInProgress);
    say("; backtrace:\n");
    SignalHandlers::sayBacktrace();
    // The handler was reset to the default when it was entered: this ends the process.
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void readTestCrash() {
    const char* request = std::getenv(kTestCrashVariable);
    if (!request) return;
    char* rest = nullptr;
    const long signal = std::strtol(request, &rest, 10);
    if (*rest != ':') return;
    testSignal = static_cast<int>(signal);
    testFrame = static_cast<int>(std::strtol(rest + 1, nullptr, 10));
}

}  // namespace

void install() {
    if (installed) return;
    SignalHandlers::prepareBacktrace();
    // One-shot: a fault inside the handler itself ends the process instead of looping.
    for (const Fatal& fatal : kFatal) SignalHandlers::install(fatal.signal, onFatalSignal, true);
    readTestCrash();
    installed = true;
}

void restore() {
    if (!installed) return;
    for (const Fatal& fatal : kFatal) SignalHandlers::restore(fatal.signal);
    installed = false;
}

void noteFrame(int frame) {
    frameInProgress = frame;
}

void setBeforeReport(Hook hook) {
    beforeReport = hook;
}

void crashIfAskedFor() {
    if (testSignal != 0 && frameInProgress == testFrame) std::raise(testSignal);
}

}  // namespace Platform::CrashReport
