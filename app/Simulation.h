#pragma once

#include <memory>
#include <string>

#include "app/TestbedTools.h"
#include "core/FixedStepper.h"
#include "render/Viewport.h"
#include "scene/SceneLayout.h"

class BrickWallScene;
class Input;

// The simulation of one run: the scene stepped in fixed steps at the testbed's speed, paused and
// stepped one at a time by its tools, and laid again as a new game; drawn with the testbed's boxes
// and statistics over it.
class Simulation {
public:
    Simulation();
    ~Simulation();
    Simulation(const Simulation&) = delete;
    Simulation& operator=(const Simulation&) = delete;

    // The chosen scene built and the testbed's GPU resources made, once the window's OpenGL state
    // is set.
    void start(const std::string& help, const SceneLayout::Choice& scene);
    // The frame's presses for the testbed, then the steps the frame's seconds make due.
    void advance(double seconds, Input& input);
    // A new game's bricks of the chosen scene, bullet and rewind history; the camera stays where
    // it is.
    void restart();
    // As at a replay's start: a new game with the testbed playing at full speed, nothing shown.
    void fromReplayStart();
    // The scene, with the testbed's boxes and statistics over it unless only the scene is asked.
    void draw(const GLUtils::FrameLayout& layout, bool withTestbed = true);
    // The scene's GPU resources and the testbed's, released before the window closes; the scene
    // itself once the window library has ended.
    void releaseGL();
    void end() { brickWall.reset(); }

    BrickWallScene& scene() { return *brickWall; }
    bool isPaused() const { return testbed.isPaused(); }
    void showHelp(const std::string& help);
    std::string statsShown();
    // What the simulation shows in words, for whoever does not see it in the bricks or hear it in
    // the music: paused, a rewind running (with rewindMark), and a while after its history ran
    // out. Empty for nothing.
    std::string marksShown(bool rewindMark) const;

private:
    std::unique_ptr<BrickWallScene> brickWall;
    SceneLayout::Choice chosen;
    FrameClock::FixedStepper stepper;
    TestbedTools testbed;
    // Steps left to show that the rewind's history ran out.
    int historyEndShownFor = 0;
};
