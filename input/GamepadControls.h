#pragma once

#include "platform/Platform.h"

// What a pad does in the game, in the bindings and the look the keyboard and the mouse drive: the
// left stick moves (past a threshold, at the keys' one speed), the left stick's press or either
// shoulder button runs, the right trigger fires, the left trigger held rewinds, and the right
// stick turns the view as cursor motion, so the player's sensitivity and inversion apply as they
// do to the mouse and a recording holds the same lines whatever device played.
namespace GamepadControls {

// Past half its travel a stick holds a movement binding, a trigger fires or rewinds.
constexpr float kStickThreshold = 0.5f;
constexpr float kTriggerThreshold = 0.5f;
// The right stick rests within this much of its centre without turning the view.
constexpr float kLookDeadZone = 0.15f;
// All the way over, the right stick turns 150 degrees a second at sensitivity 1, as 3,750 pixels
// of mouse motion a second do at the game's 0.04 degrees per pixel.
constexpr double kLookPixelsPerSecond = 3750.0;

// Whether the pad holds the binding with this key code (or mouse-button number, 2.x numbering).
bool holds(const Platform::Gamepad& pad, int code, bool isMouseButton);

// The cursor motion the right stick makes over a frame. Beyond the dead zone the speed grows with
// the square of the deflection, for fine aim near the centre; fractions of a pixel are carried to
// the next frame, so a slight deflection still turns.
class Look {
public:
    void motion(const Platform::Gamepad& pad, double seconds, int& dx, int& dy);

private:
    double carriedX = 0.0;
    double carriedY = 0.0;
};

}  // namespace GamepadControls
