#pragma once

// Ctrl+C, kill and a closed terminal (SIGINT, SIGTERM, SIGHUP) ask the game to stop: the frame loop
// ends after its current frame and shutdown runs its usual path. Signals within a second of the
// first are that same request (GNU timeout signals the process and then its group, a closed
// terminal sends more than one); a signal after that ends the process at once: shutdown is stuck
// or too slow for the player.
namespace Platform::StopSignals {

// Installs the handlers; every install is paired with a restore. Installing again is harmless.
void install();
// Puts back the handlers that were there before install.
void restore();
bool isStopRequested();
// Forgets a request (a new game in the same process starts afresh).
void clear();
// The clock the handlers read, for tests that drive time themselves; null for the system's.
void useClock(double (*secondsNow)());

}  // namespace Platform::StopSignals
