#pragma once

#include "input/Controls.h"
#include "input/LookSettings.h"
#include "platform/Platform.h"

// A pad plays through the actions and the look the keyboard and the mouse drive, so sensitivity,
// inversion and recordings work alike whatever device played.
namespace GamepadControls {

// Past half its travel a stick holds a movement, a trigger fires or rewinds.
constexpr float kStickThreshold = 0.5f;
constexpr float kTriggerThreshold = 0.5f;
// The right stick rests within this much of its centre without turning the view.
constexpr float kLookDeadZone = 0.15f;
// All the way over, the right stick turns this fast at sensitivity 1.
constexpr double kLookDegreesPerSecond = 150.0;
constexpr double kLookPixelsPerSecond = kLookDegreesPerSecond / LookSettings::kDegreesPerPixel;

// Whether the pad holds the action (see Controls::PadControl).
bool holds(const Platform::Gamepad& pad, Action action);

// The right stick's turn as cursor motion: beyond the dead zone with the square of the deflection,
// for fine aim near the centre; fractions of a pixel carry over to the next frame.
class Look {
public:
    // A factor on the turn rate, as sensitivity is on the mouse's.
    void setSpeed(float factor) { speed = factor; }
    void motion(const Platform::Gamepad& pad, double seconds, int& dx, int& dy);

private:
    double speed = 1.0;
    double carriedX = 0.0;
    double carriedY = 0.0;
};

}  // namespace GamepadControls
