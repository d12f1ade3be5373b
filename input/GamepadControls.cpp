#include "input/GamepadControls.h"

#include <cmath>

namespace GamepadControls {
namespace {

using Platform::PadAxis;

bool isTrigger(PadAxis axis) {
    return axis == PadAxis::LeftTrigger || axis == PadAxis::RightTrigger;
}

// The deflection past the dead zone, from 0 to 1, squared, with the stick's sign.
double shaped(float deflection) {
    const double magnitude = std::fabs(deflection);
    if (magnitude <= kLookDeadZone) return 0.0;
    const double beyond = (std::fmin(magnitude, 1.0) - kLookDeadZone) / (1.0 - kLookDeadZone);
    return std::copysign(beyond * beyond, deflection);
}

}  // namespace

bool holds(const Platform::Gamepad& pad, Action action) {
    const Controls::PadControl& control = Controls::of(action).pad;
    for (int button = 0; button < Platform::Gamepad::kButtons; ++button) {
        if ((control.buttons >> button & 1u) &&
            pad.wasDown(static_cast<Platform::PadButton>(button))) {
            return true;
        }
    }
    if (control.axis == PadAxis::Count) return false;
    const float threshold = isTrigger(control.axis) ? kTriggerThreshold : kStickThreshold;
    // As far as the axis went since the last frame: a short pull between two frames counts.
    const float farthest =
        control.direction > 0 ? pad.highest(control.axis) : -pad.lowest(control.axis);
    return farthest > threshold;
}

void Look::motion(const Platform::Gamepad& pad, double seconds, int& dx, int& dy) {
    carriedX += shaped(pad.axis(PadAxis::RightX)) * kLookPixelsPerSecond * speed * seconds;
    carriedY += shaped(pad.axis(PadAxis::RightY)) * kLookPixelsPerSecond * speed * seconds;
    dx = static_cast<int>(std::trunc(carriedX));
    dy = static_cast<int>(std::trunc(carriedY));
    carriedX -= dx;
    carriedY -= dy;
}

}  // namespace GamepadControls
