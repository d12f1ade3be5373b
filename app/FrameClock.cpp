#include "app/FrameClock.h"

#include <algorithm>
#include <cmath>

#include "platform/Platform.h"

namespace FrameClock {
namespace {

constexpr double kDeltaBeforeFirstTick = 0.033;
constexpr double kMaxStepTime = 1.0 / 60.0;
// A frame a little longer than one step (timer jitter) stays one step.
constexpr double kStepTolerance = 0.05;
// Beyond this a long stall is simulated in longer steps rather than stalling the next frame too.
constexpr int kMaxStepsPerFrame = 30;

double lastTime = 0.0;
double frameDelta = kDeltaBeforeFirstTick;
double stepDelta = kDeltaBeforeFirstTick;

}  // namespace

void reset() {
    Platform::setTime(0.0);
}

double tick() {
    const double now = Platform::getTime();
    frameDelta = now - lastTime;
    stepDelta = frameDelta;
    lastTime = now;
    return frameDelta;
}

float deltaTime() {
    return static_cast<float>(stepDelta);
}

int splitIntoSteps() {
    const double steps = std::ceil(frameDelta / kMaxStepTime - kStepTolerance);
    const int count = std::clamp(static_cast<int>(steps), 1, kMaxStepsPerFrame);
    stepDelta = frameDelta / count;
    return count;
}

}  // namespace FrameClock
