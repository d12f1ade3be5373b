#include "platform/StopSignals.h"

#include <atomic>
#include <csignal>

#include "platform/SignalHandlers.h"

namespace Platform::StopSignals {
namespace {

#ifdef SIGHUP
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
#else
constexpr int kSignals[] = {SIGINT, SIGTERM};
#endif
constexpr double kSameRequestSeconds = 1.0;
constexpr double kNoRequest = 0.0;

// Written inside handlers, which may interrupt each other: lock-free atomics only.
std::atomic<double> firstRequestAt{kNoRequest};
std::atomic<bool> stopRequested{false};
static_assert(std::atomic<double>::is_always_lock_free && std::atomic<bool>::is_always_lock_free);

double (*clock)() = SignalHandlers::monotonicSeconds;
bool installed = false;

void onStopSignal(int signal) {
    SignalHandlers::keepInstalled(signal, onStopSignal);
    const double now = clock();
    double first = kNoRequest;
    // The first request's time is taken before the flag is set, so a handler interrupting this
    // one already sees it.
    if (firstRequestAt.compare_exchange_strong(first, now)) {
        stopRequested = true;
        return;
    }
    if (now - first < kSameRequestSeconds) return;
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

}  // namespace

void install() {
    if (installed) return;
    for (const int signal : kSignals) SignalHandlers::install(signal, onStopSignal, false);
    installed = true;
}

void restore() {
    if (!installed) return;
    for (const int signal : kSignals) SignalHandlers::restore(signal);
    installed = false;
}

bool isStopRequested() {
    return stopRequested;
}

void clear() {
    stopRequested = false;
    firstRequestAt = kNoRequest;
}

void useClock(double (*secondsNow)()) {
    clock = secondsNow ? secondsNow : SignalHandlers::monotonicSeconds;
}

}  // namespace Platform::StopSignals
