#pragma once

// A crash leaves a trace: on SIGSEGV, SIGBUS, SIGFPE, SIGILL or SIGABRT the game writes one short
// report to standard error (the signal, the frame in progress and a symbolised backtrace), after
// running the hook that saves what can be saved (the recording), and then dies of the same signal
// with its default action, so the exit status still names the signal.
namespace Platform::CrashReport {

using Hook = void (*)();

// Every install is paired with a restore, which puts back the handlers found at install.
void install();
void restore();

// The frame in progress, named by the report.
void noteFrame(int frame);
// Runs inside the signal handler, before the report; null for none. It should only flush what
// is already written: the process is in an unknown state.
void setBeforeReport(Hook hook);

// For the crash tests: with KELVARIN_TEST_CRASH=SIGNAL:FRAME in the environment (numbers, as
// "11:40"), raises that signal once the given frame has been noted. Read at install.
void crashIfAskedFor();

}  // namespace Platform::CrashReport
