#pragma once

// Ctrl+C, kill and a closed terminal (SIGINT, SIGTERM, SIGHUP) ask the game to stop: the frame loop
// ends after its current frame and shutdown runs its usual path. A second signal of the same kind
// while the first is still being honoured ends the process at once.
namespace Platform::StopSignals {

// Installs the handlers; every install is paired with a restore.
void install();
// Puts back the handlers that were there before install.
void restore();
bool isStopRequested();
// Forgets a request (a new game in the same process starts afresh).
void clear();

}  // namespace Platform::StopSignals
