#pragma once

// The real time between frames, in seconds. No fixed step, no smoothing, no limits: every motion of
// the game is scaled by the last delta.
namespace FrameClock {

// Restarts the platform timer at 0; called once at the end of start-up.
void reset();
// Measures and stores the time since the previous tick and returns it.
double tick();
// The last measured delta; 0.033 before the first tick.
float deltaTime();

}  // namespace FrameClock
