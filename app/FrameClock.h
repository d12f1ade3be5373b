#pragma once

// The real time between frames, in seconds. No fixed step, no smoothing, no limits: every motion of
// the game is scaled by the last delta.
namespace FrameClock {

// Restarts the platform timer at 0; called once at the end of start-up.
void reset();
// Measures and stores the time since the previous tick and returns it.
double tick();
// The time the current step covers: the last measured delta, or a share of it once the frame is
// split into steps; 0.033 before the first tick.
float deltaTime();
// Splits the last frame into equal physics steps no longer than about 1/60 s and makes deltaTime
// the length of one step until the next tick; returns the number of steps. The physics damps and
// detects rest once per step, so it behaves the same at any frame rate.
int splitIntoSteps();

}  // namespace FrameClock
