#include "platform/StopSignals.h"

#include <csignal>

namespace Platform::StopSignals {
namespace {

#ifdef _WIN32
constexpr int kSignals[] = {SIGINT, SIGTERM};
using SavedAction = void (*)(int);
#else
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
using SavedAction = struct sigaction;
#endif
constexpr int kSignalCount = sizeof(kSignals) / sizeof(kSignals[0]);

volatile std::sig_atomic_t stopRequested = 0;
SavedAction saved[kSignalCount];
bool installed = false;

void onStopSignal(int signal) {
    if (stopRequested) {
        // The player asked twice: shutdown is stuck or too slow for them.
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return;
    }
    stopRequested = 1;
#ifdef _WIN32
    // The C runtime resets the handler to the default before calling it.
    std::signal(signal, onStopSignal);
#endif
}

}  // namespace

void install() {
    if (installed) return;
    for (int i = 0; i < kSignalCount; ++i) {
#ifdef _WIN32
        saved[i] = std::signal(kSignals[i], onStopSignal);
#else
        struct sigaction action {};
        action.sa_handler = onStopSignal;
        sigemptyset(&action.sa_mask);
        // No SA_RESTART: a wait in the window library returns and the loop sees the request.
        action.sa_flags = 0;
        sigaction(kSignals[i], &action, &saved[i]);
#endif
    }
    installed = true;
}

void restore() {
    if (!installed) return;
    for (int i = 0; i < kSignalCount; ++i) {
#ifdef _WIN32
        std::signal(kSignals[i], saved[i]);
#else
        sigaction(kSignals[i], &saved[i], nullptr);
#endif
    }
    installed = false;
}

bool isStopRequested() {
    return stopRequested != 0;
}

void clear() {
    stopRequested = 0;
}

}  // namespace Platform::StopSignals
