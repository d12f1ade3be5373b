#include "app/Simulation.h"

#include <algorithm>

#include "core/Assert.h"
#include "input/Input.h"
#include "physics/PhysicsWorld.h"
#include "rewind/Controller.h"
#include "scene/BrickWallScene.h"

namespace {

constexpr const char* kPausedMark = "PAUSED";
constexpr const char* kRewindMark = "REWIND";
constexpr const char* kHistoryEndMark = "NO MORE HISTORY";
// About two seconds.
constexpr int kHistoryEndSteps = 120;

}  // namespace

Simulation::Simulation() = default;

Simulation::~Simulation() = default;

void Simulation::start(const std::string& help, const SceneLayout::Choice& scene) {
    testbed.init();
    chosen = scene;
    brickWall = std::make_unique<BrickWallScene>(chosen);
    brickWall->helpText = help;
}

// Paused, the frame's edges are dropped: a paused frame changes nothing, as if it had not been
// played.
void Simulation::advance(double seconds, Input& input) {
    const Testbed::Asked asked = testbed.follow(input);
    if (asked.restart) restart();
    testbed.beforeSteps();
    int steps = 0;
    if (!testbed.isPaused()) {
        brickWall->latchInput(input);
        for (int due = stepper.advance(seconds * testbed.speed()); steps < due; ++steps) {
            brickWall->step(stepper.takeStep());
        }
    } else {
        for (; steps < asked.steps; ++steps) brickWall->step(stepper.takeStep());
    }
    historyEndShownFor = std::max(0, historyEndShownFor - steps);
    if (brickWall->takeRewindRanOut()) {
        input.onRewindEndedByItself();
        historyEndShownFor = kHistoryEndSteps;
    }
    testbed.afterSteps(seconds, steps);
}

std::string Simulation::marksShown(bool rewindMark) const {
    std::string marks = testbed.isPaused() ? kPausedMark : "";
    const auto add = [&](const char* mark) {
        marks += (marks.empty() ? "" : "\n") + std::string(mark);
    };
    if (rewindMark && Rewind::Controller::instance()->isRewinding()) add(kRewindMark);
    if (rewindMark && historyEndShownFor > 0) add(kHistoryEndMark);
    return marks;
}

void Simulation::restart() {
    historyEndShownFor = 0;
    if (Rewind::Controller::instance()->isRewinding()) Input::instance()->onRewindEndedByItself();
    const std::string help = brickWall->helpText;
    brickWall->releaseGL();
    brickWall.reset();
    KELVARIN_ASSERT(PhysicsWorld::instance()->getObjects().empty());
    *Rewind::Controller::instance() = Rewind::Controller();
    stepper = FrameClock::FixedStepper();
    brickWall = std::make_unique<BrickWallScene>(chosen);
    brickWall->helpText = help;
}

void Simulation::fromReplayStart() {
    testbed.fromStart();
    restart();
}

void Simulation::draw(const GLUtils::FrameLayout& layout, bool withTestbed) {
    brickWall->draw();
    if (withTestbed) testbed.draw(*brickWall, layout);
}

void Simulation::releaseGL() {
    brickWall->releaseGL();
    testbed.cleanup();
}

void Simulation::showHelp(const std::string& help) {
    brickWall->helpText = help;
}

std::string Simulation::statsShown() {
    return testbed.statsShown(*brickWall);
}
