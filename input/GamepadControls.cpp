#include "input/GamepadControls.h"

#include <cmath>

namespace GamepadControls {
namespace {

using Platform::Gamepad;
using Platform::PadAxis;
using Platform::PadButton;

constexpr int kForward = 'W';
constexpr int kLeft = 'A';
constexpr int kBack = 'S';
constexpr int kRight = 'D';

bool runs(const Gamepad& pad) {
    return pad.isDown(PadButton::LeftThumb) || pad.isDown(PadButton::LeftBumper) ||
           pad.isDown(PadButton::RightBumper);
}

// The deflection past the dead zone, from 0 to 1, squared, with the stick's sign.
double shaped(float deflection) {
    const double magnitude = std::fabs(deflection);
    if (magnitude <= kLookDeadZone) return 0.0;
    const double beyond = (std::fmin(magnitude, 1.0) - kLookDeadZone) / (1.0 - kLookDeadZone);
    return std::copysign(beyond * beyond, deflection);
}

}  // namespace

bool holds(const Gamepad& pad, int code, bool isMouseButton) {
    if (isMouseButton) {
        return code == Platform::kMouseButtonLeft &&
               pad.axis(PadAxis::RightTrigger) > kTriggerThreshold;
    }
    switch (code) {
        case kForward:
            return pad.axis(PadAxis::LeftY) < -kStickThreshold;
        case kBack:
            return pad.axis(PadAxis::LeftY) > kStickThreshold;
        case kLeft:
            return pad.axis(PadAxis::LeftX) < -kStickThreshold;
        case kRight:
            return pad.axis(PadAxis::LeftX) > kStickThreshold;
        case Platform::kKeyLShift:
            return runs(pad);
        case Platform::kKeySpace:
            return pad.axis(PadAxis::LeftTrigger) > kTriggerThreshold;
        default:
            return false;
    }
}

void Look::motion(const Gamepad& pad, double seconds, int& dx, int& dy) {
    carriedX += shaped(pad.axis(PadAxis::RightX)) * kLookPixelsPerSecond * seconds;
    carriedY += shaped(pad.axis(PadAxis::RightY)) * kLookPixelsPerSecond * seconds;
    dx = static_cast<int>(std::trunc(carriedX));
    dy = static_cast<int>(std::trunc(carriedY));
    carriedX -= dx;
    carriedY -= dy;
}

}  // namespace GamepadControls
