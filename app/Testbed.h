#pragma once

#include <string>

#include "input/Controls.h"

class Input;

// The physics testbed's tools over a run, as the player's (or a recording's) presses set them:
// the simulation paused and stepped one fixed step at a time, run at a fraction of real time,
// started again, and the statistics and collision boxes drawn over it. Plain data: the run asks
// it every frame what the simulation may do.
class Testbed {
public:
    static constexpr int kSpeedCount = static_cast<int>(Controls::kSpeeds.size());

    // What a frame's presses ask of the run besides the state kept here.
    struct Asked {
        bool restart = false;
        // Fixed steps to run one by one, while paused.
        int steps = 0;
    };

    Asked follow(const Input& input);

    bool isPaused() const { return paused; }
    double speed() const { return Controls::kSpeeds[speedIndex]; }
    // "1/4", "1/2", "1".
    std::string speedText() const;
    bool showsStats() const { return stats; }
    bool showsBoxes() const { return boxes; }

private:
    bool paused = false;
    std::size_t speedIndex = Controls::kSpeeds.size() - 1;
    bool stats = false;
    bool boxes = false;
};

// What the statistics overlay shows of one frame.
struct TestbedStats {
    double frameSeconds = 0.0;
    // A simulation step's cost, measured, in seconds.
    double stepSeconds = 0.0;
    int awake = 0;
    int asleep = 0;
    int snapshots = 0;
    double rewindSecondsLeft = 0.0;
    std::string scene;
    // Box tests of the collision pass, averaged over the frame's steps: what the grid spares.
    long pairsPerStep = 0;
};

// The overlay's lines.
std::string statsText(const TestbedStats& stats, const Testbed& testbed);
