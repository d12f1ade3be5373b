#include "app/TestbedTools.h"

#include <GL/glew.h>

#include "core/FixedStepper.h"
#include "input/Camera.h"
#include "physics/PhysicsWorld.h"
#include "render/RenderContext.h"
#include "rewind/Controller.h"
#include "scene/BrickWallScene.h"

namespace {

// The statistics' times are averaged over about this many frames, so that they can be read.
constexpr double kStatsSmoothing = 1.0 / 30.0;

}  // namespace

void TestbedTools::beforeSteps() {
    if (!testbed.showsStats()) return;
    stepsStarted = StepClock::now();
    pairsStarted = PhysicsWorld::instance()->pairsTested();
}

void TestbedTools::afterSteps(double frameSeconds, int steps) {
    if (!testbed.showsStats()) return;
    stats.frameSeconds += (frameSeconds - stats.frameSeconds) * kStatsSmoothing;
    if (steps == 0) return;
    const double perStep =
        std::chrono::duration<double>(StepClock::now() - stepsStarted).count() / steps;
    stats.stepSeconds += (perStep - stats.stepSeconds) * kStatsSmoothing;
    stats.pairsPerStep =
        static_cast<long>((PhysicsWorld::instance()->pairsTested() - pairsStarted) /
                          static_cast<std::uint64_t>(steps));
}

std::string TestbedTools::statsShown(const BrickWallScene& scene) {
    if (!testbed.showsStats()) return {};
    stats.asleep = scene.bricksAsleep();
    stats.awake = static_cast<int>(scene.bricks.size()) - stats.asleep;
    stats.scene = SceneLayout::nameOf(scene.choice);
    const Rewind::Controller& history = *Rewind::Controller::instance();
    stats.snapshots = static_cast<int>(history.getFrameStamps().size());
    const std::uint32_t oldest =
        history.getFrameStamps().empty() ? 0 : history.getFrameStamps().front();
    stats.rewindSecondsLeft =
        (history.getFrameCounter() - oldest) * FrameClock::FixedStepper::kStepSeconds;
    return statsText(stats, testbed);
}

void TestbedTools::draw(BrickWallScene& scene, const GLUtils::FrameLayout& layout) {
    if (testbed.showsBoxes()) {
        glViewport(layout.scene.x, layout.scene.y, layout.scene.width, layout.scene.height);
        scene.collectBoxes(boxes);
        boxLines.draw(boxes, RenderContext::instance()->getCamera()->viewProjectionMatrix);
    }
}
