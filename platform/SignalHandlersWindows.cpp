#include <io.h>
#include <windows.h>

#include <csignal>
#include <cstring>

#include "platform/SignalHandlers.h"

namespace Platform::SignalHandlers {
namespace {

constexpr int kStandardError = 2;
constexpr double kMillisecond = 1e-3;

Handler saved[NSIG];

}  // namespace

// The C runtime resets a handler to the default before calling it: every handler is one-shot
// unless it installs itself again (keepInstalled).
void install(int signal, Handler handler, bool) {
    saved[signal] = std::signal(signal, handler);
}

void restore(int signal) {
    std::signal(signal, saved[signal]);
}

void keepInstalled(int signal, Handler handler) {
    std::signal(signal, handler);
}

double monotonicSeconds() {
    return static_cast<double>(GetTickCount64()) * kMillisecond;
}

void say(const char* text) {
    _write(kStandardError, text, static_cast<unsigned>(std::strlen(text)));
}

void sayBacktrace() {
    say("(no backtrace on this system)\n");
}

void prepareBacktrace() {}

}  // namespace Platform::SignalHandlers
