#include "core/FrameClock.h"

#include "platform/Platform.h"

namespace FrameClock {
namespace {

double lastTime = 0.0;

}  // namespace

void reset() {
    Platform::setTime(0.0);
    lastTime = 0.0;
}

double tick() {
    const double now = Platform::getTime();
    const double delta = now - lastTime;
    lastTime = now;
    return delta;
}

}  // namespace FrameClock
