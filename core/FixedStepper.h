#pragma once

namespace FrameClock {

// Turns measured frame times into simulation steps of a fixed 1/60 s of real time, so bricks fall,
// settle and rewind alike at any refresh rate. A steady 60 frames/s takes exactly one step a frame,
// 144 frames/s one step every 2.4 frames, 30 frames/s two steps a frame.
//
// Jitter: the time owed to the simulation is kept to the microsecond, but when it lies within
// kSnapSeconds of a whole number of steps, that whole number is taken now and the small
// difference stays owed (or credited). A 60 Hz frame measured 0.5 ms short or long therefore still
// takes one step, never 0 and then 2, and no time is lost: over any run the steps taken equal the
// elapsed time in steps, give or take one.
class FixedStepper {
public:
    static constexpr double kStepSeconds = 1.0 / 60.0;
    static constexpr double kSnapSeconds = 0.002;
    // A longer stall (a debugger, a suspended laptop) is dropped rather than caught up with.
    static constexpr int kMaxStepsPerFrame = 30;

    // The steps due after a frame of frameDelta seconds.
    int advance(double frameDelta);
    // The time the next step covers, in seconds: 0 for the very first step, which takes the scene
    // as it was laid out at time 0, then kStepSeconds for every later one.
    float takeStep();

private:
    // Seconds of real time not yet simulated; the first step is due at once.
    double owed = kStepSeconds;
    bool firstStepTaken = false;
};

}  // namespace FrameClock
