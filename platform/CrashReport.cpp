#include "platform/CrashReport.h"

#include <csignal>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif
// A browser reports a WebAssembly trap in its console itself; signals never come.
#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
#include <execinfo.h>
#define KELVARIN_CRASH_BACKTRACE
#endif

namespace Platform::CrashReport {
namespace {

struct Fatal {
    int signal;
    const char* name;
};

#ifdef _WIN32
constexpr Fatal kFatal[] = {
    {SIGSEGV, "SIGSEGV"}, {SIGFPE, "SIGFPE"}, {SIGILL, "SIGILL"}, {SIGABRT, "SIGABRT"}};
using SavedAction = void (*)(int);
#else
constexpr Fatal kFatal[] = {{SIGSEGV, "SIGSEGV"},
                            {SIGBUS, "SIGBUS"},
                            {SIGFPE, "SIGFPE"},
                            {SIGILL, "SIGILL"},
                            {SIGABRT, "SIGABRT"}};
using SavedAction = struct sigaction;
#endif
#ifdef KELVARIN_CRASH_BACKTRACE
constexpr int kMaxFrames = 64;
#endif
constexpr int kFatalCount = sizeof(kFatal) / sizeof(kFatal[0]);
constexpr int kStandardError = 2;
constexpr const char* kTestCrashVariable = "KELVARIN_TEST_CRASH";

SavedAction saved[kFatalCount];
bool installed = false;
volatile std::sig_atomic_t frameInProgress = 0;
Hook beforeReport = nullptr;
int testSignal = 0;
int testFrame = 0;

// Only write(2) from here on: stdio and the heap may be what broke.
void say(const char* text) {
#ifdef _WIN32
    _write(kStandardError, text, static_cast<unsigned>(std::strlen(text)));
#else
    const ssize_t ignored = write(kStandardError, text, std::strlen(text));
    static_cast<void>(ignored);
#endif
}

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

void writeBacktrace() {
#ifdef KELVARIN_CRASH_BACKTRACE
    void* frames[kMaxFrames];
    const int count = backtrace(frames, kMaxFrames);
    backtrace_symbols_fd(frames, count, kStandardError);
#else
    say("(no backtrace on this system)\n");
#endif
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
    writeBacktrace();
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
#ifdef KELVARIN_CRASH_BACKTRACE
    // The first backtrace loads the unwinder, which must not happen inside a handler.
    void* warmUp[1];
    backtrace(warmUp, 1);
#endif
    for (int i = 0; i < kFatalCount; ++i) {
#ifdef _WIN32
        saved[i] = std::signal(kFatal[i].signal, onFatalSignal);
#else
        struct sigaction action {};
        action.sa_handler = onFatalSignal;
        sigemptyset(&action.sa_mask);
        // A fault inside the handler itself ends the process instead of looping.
        action.sa_flags = SA_RESETHAND | SA_NODEFER;
        sigaction(kFatal[i].signal, &action, &saved[i]);
#endif
    }
    readTestCrash();
    installed = true;
}

void restore() {
    if (!installed) return;
    for (int i = 0; i < kFatalCount; ++i) {
#ifdef _WIN32
        std::signal(kFatal[i].signal, saved[i]);
#else
        sigaction(kFatal[i].signal, &saved[i], nullptr);
#endif
    }
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
