#include "app/FrameClock.h"

#include "platform/Platform.h"

namespace FrameClock {
namespace {

constexpr double kDeltaBeforeFirstTick = 0.033;

double lastTime = 0.0;
double frameDelta = kDeltaBeforeFirstTick;

}  // namespace

void reset() {
    Platform::setTime(0.0);
}

double tick() {
    const double now = Platform::getTime();
    frameDelta = now - lastTime;
    lastTime = now;
    return frameDelta;
}

float deltaTime() {
    return static_cast<float>(frameDelta);
}

}  // namespace FrameClock
