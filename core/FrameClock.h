#pragma once

// core/: the frame clock, the fixed-step accumulator, the matrix holder and preconditions.
// May include: platform.

// The real time between frames, in seconds, read once per frame. The camera moves by the measured
// delta; the simulation takes the fixed steps of 1/60 s that the delta makes due.
namespace FrameClock {

// Restarts the platform timer at 0, and the clock and the step count with it, as before the first
// tick; called once at the end of start-up.
void reset();
// Measures and stores the time since the previous tick and returns it.
double tick();
// The next tick reports exactly this delta instead of measuring one: a replayed recording gives
// every frame the time it measured when it was played.
void replayDelta(double seconds);
// The last tick's delta at full precision.
double measuredDelta();
// The last measured delta; 0.033 before the first tick.
float deltaTime();
// The simulation steps the last tick made due (see FixedStepper).
int advanceSteps();
// The length of the next simulation step in seconds.
float takeStep();

}  // namespace FrameClock
