#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "app/Testbed.h"
#include "render/BoxLines.h"
#include "render/Viewport.h"

class BrickWallScene;
class Input;

// The testbed over a run: the simulation paused, stepped, slowed down or sped up by the player's
// (or a recording's) presses, its steps' cost measured and its statistics shown, and the
// collision boxes drawn over the scene.
class TestbedTools {
public:
    // The boxes' GPU resources, made with the window's and released before it closes.
    void init() { boxLines.init(); }
    void cleanup() { boxLines.cleanup(); }

    // As at a replay's start: playing, at full speed, nothing shown.
    void fromStart() {
        testbed = Testbed();
        stats = TestbedStats();
    }
    Testbed::Asked follow(const Input& input) { return testbed.follow(input); }
    bool isPaused() const { return testbed.isPaused(); }
    double speed() const { return testbed.speed(); }
    // Around a frame's simulation steps: their cost is measured while the statistics show.
    void beforeSteps();
    void afterSteps(double frameSeconds, int steps);
    // What the statistics show now; empty while they are hidden.
    std::string statsShown(const BrickWallScene& scene);
    // The boxes, in the scene's viewport.
    void draw(BrickWallScene& scene, const GLUtils::FrameLayout& layout);

private:
    using StepClock = std::chrono::steady_clock;

    Testbed testbed;
    TestbedStats stats;
    StepClock::time_point stepsStarted;
    std::uint64_t pairsStarted = 0;
    BoxLines boxLines;
    std::vector<BoxLines::Box> boxes;
};
