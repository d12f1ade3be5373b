#include "core/FrameClock.h"

#include "core/FixedStepper.h"
#include "platform/Platform.h"

namespace FrameClock {
namespace {

constexpr double kDeltaBeforeFirstTick = 0.033;

double lastTime = 0.0;
double frameDelta = kDeltaBeforeFirstTick;
bool deltaGiven = false;
double givenDelta = 0.0;
FixedStepper stepper;

}  // namespace

void reset() {
    Platform::setTime(0.0);
    lastTime = 0.0;
    frameDelta = kDeltaBeforeFirstTick;
    deltaGiven = false;
    stepper = FixedStepper();
}

double tick() {
    const double now = Platform::getTime();
    frameDelta = deltaGiven ? givenDelta : now - lastTime;
    deltaGiven = false;
    lastTime = now;
    return frameDelta;
}

void replayDelta(double seconds) {
    deltaGiven = true;
    givenDelta = seconds;
}

double measuredDelta() {
    return frameDelta;
}

float deltaTime() {
    return static_cast<float>(frameDelta);
}

int advanceSteps() {
    return stepper.advance(frameDelta);
}

float takeStep() {
    return stepper.takeStep();
}

}  // namespace FrameClock
