#pragma once

// core/: the frame clock, the fixed-step accumulator, numbers and lines read with bounds, the media
// folder, the matrix holder and preconditions. May include: platform.

// The real time between frames, in seconds, measured once a frame by its caller.
namespace FrameClock {

// Restarts the platform timer at 0, as before the first tick; called once at the end of start-up.
void reset();
// The time since the previous tick (since reset for the first).
double tick();

}  // namespace FrameClock
