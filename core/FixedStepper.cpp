#include "core/FixedStepper.h"

#include <algorithm>
#include <cmath>

namespace FrameClock {

int FixedStepper::advance(double frameDelta) {
    owed += std::max(frameDelta, 0.0);
    const double nearest = std::round(owed / kStepSeconds);
    const bool nearWhole = std::fabs(owed - nearest * kStepSeconds) <= kSnapSeconds;
    const double due = nearWhole ? nearest : std::floor(owed / kStepSeconds);
    if (due > kMaxStepsPerFrame) {
        owed = 0.0;
        return kMaxStepsPerFrame;
    }
    owed -= due * kStepSeconds;
    return static_cast<int>(due);
}

float FixedStepper::takeStep() {
    if (!firstStepTaken) {
        firstStepTaken = true;
        return 0.0f;
    }
    return static_cast<float>(kStepSeconds);
}

}  // namespace FrameClock
