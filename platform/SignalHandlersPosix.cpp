#include <unistd.h>

#include <csignal>
#include <cstring>
#include <ctime>

#include "platform/SignalHandlers.h"

// A browser's build has the signal calls but no backtrace.
#if __has_include(<execinfo.h>)
#include <execinfo.h>
#define KELVARIN_HAS_BACKTRACE 1
#endif

namespace Platform::SignalHandlers {
namespace {

constexpr int kStandardError = 2;
constexpr double kNanosecond = 1e-9;

struct sigaction saved[NSIG];

}  // namespace

void install(int signal, Handler handler, bool oneShot) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = oneShot ? SA_RESETHAND | SA_NODEFER : 0;
    sigaction(signal, &action, &saved[signal]);
}

void restore(int signal) {
    sigaction(signal, &saved[signal], nullptr);
}

void keepInstalled(int, Handler) {}

double monotonicSeconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * kNanosecond;
}

void say(const char* text) {
    const ssize_t ignored = write(kStandardError, text, std::strlen(text));
    static_cast<void>(ignored);
}

#ifdef KELVARIN_HAS_BACKTRACE
constexpr int kMaxBacktraceFrames = 64;

void sayBacktrace() {
    void* frames[kMaxBacktraceFrames];
    backtrace_symbols_fd(frames, backtrace(frames, kMaxBacktraceFrames), kStandardError);
}

void prepareBacktrace() {
    void* frame[1];
    backtrace(frame, 1);
}
#else
void sayBacktrace() {
    say("(no backtrace on this system)\n");
}

void prepareBacktrace() {}
#endif

}  // namespace Platform::SignalHandlers
