#pragma once

namespace FrameClock {

// Measured frame times as simulation steps of a fixed 1/60 s, so the bricks move alike at any
// refresh rate. Time owed within kSnapSeconds of a whole number of steps takes that number and
// keeps the difference owed: jitter never turns one step into 0 then 2, and no time is lost.
class FixedStepper {
public:
    static constexpr double kStepSeconds = 1.0 / 60.0;
    static constexpr double kSnapSeconds = 0.002;
    // A longer stall (a debugger, a suspended laptop) is dropped rather than caught up with.
    static constexpr int kMaxStepsPerFrame = 30;

    // The steps due after a frame of frameDelta seconds.
    int advance(double frameDelta);
    // The next step's seconds: 0 for the first, which takes the layout at time 0.
    float takeStep();

private:
    // Seconds of real time not yet simulated; the first step is due at once.
    double owed = kStepSeconds;
    bool firstStepTaken = false;
};

}  // namespace FrameClock
