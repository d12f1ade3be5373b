#pragma once

// The game's handlers of stop requests (StopSignals) and crashes (CrashReport), installed and
// restored together. A program installs them as early as it starts, before it reads a file; the
// window module's init does so too, harmlessly, and its terminate restores them.
namespace Platform::Signals {

void install();
void restore();

}  // namespace Platform::Signals
