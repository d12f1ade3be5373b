#pragma once

// The system's side of the signals the game catches (stop requests, fatal faults): handlers
// installed and put back in pairs, and the few things a handler may safely do. One file per system
// implements it (POSIX's sigaction, the C runtime's signal on Windows).
namespace Platform::SignalHandlers {

using Handler = void (*)(int signal);

// Installs handler for signal, keeping what was there for restore. A one-shot handler gives way to
// the default action as it starts, so a fault inside it ends the process; any other stays for the
// next signal. Neither restarts an interrupted wait, so a waiting frame loop sees the request.
void install(int signal, Handler handler, bool oneShot);
void restore(int signal);
// Called first by a handler that stays: some systems reset a handler to the default before
// calling it.
void keepInstalled(int signal, Handler handler);
// Seconds on a clock that never goes back.
double monotonicSeconds();
// Text to standard error through the system's own write: stdio and the heap may be what broke.
void say(const char* text);
// The calling thread's backtrace to standard error, or a line saying the system gives none.
void sayBacktrace();
// Loads what the first backtrace needs, which must not happen inside a handler.
void prepareBacktrace();

}  // namespace Platform::SignalHandlers
