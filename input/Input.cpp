#include "input/Input.h"

#include "core/Assert.h"
#include "input/GamepadControls.h"

namespace {

constexpr float kMouseSensitivity = static_cast<float>(LookSettings::kDegreesPerPixel);

}  // namespace

Input* Input::instance() {
    static Input* input = new Input();
    return input;
}

Input::Input() {
    mouseCaptured = true;
    recentreCursor();
    showCursor(false);
    Platform::getMousePos(mouseX, mouseY);
    prevMouseX = mouseX;
    prevMouseY = mouseY;
    sensitivityX = kMouseSensitivity;
    sensitivityY = kMouseSensitivity;
}

void Input::setLook(const LookSettings& look) {
    KELVARIN_ASSERT(look.sensitivity > 0.0f && look.sensitivity <= LookSettings::kMaxSensitivity);
    sensitivityX = kMouseSensitivity * look.sensitivity;
    // A negative rate turns the other way: the camera reads the sign as it is.
    sensitivityY = kMouseSensitivity * look.sensitivity * (look.invertY ? -1.0f : 1.0f);
}

void Input::recentreCursor() {
    Platform::setMousePos(kCursorCentreX, kCursorCentreY);
}

void Input::showCursor(bool show) {
    Platform::showCursor(show);
}

bool Input::sampledDown(Action action, const Platform::Gamepad& pad) const {
    if (replayingRecording) return state(action).recorded;
    const int key = keys[action];
    const int button = Controls::of(action).mouseButton;
    return (key != Controls::kNoKey && Platform::getKey(key) == Platform::kPress) ||
           (button != Controls::kNoButton &&
            Platform::getMouseButton(button) == Platform::kPress) ||
           GamepadControls::holds(pad, action);
}

void Input::poll(const Platform::Gamepad& pad) {
    for (const Controls::ActionControl& control : Controls::all()) {
        if (control.action == Action::Quit) continue;
        KeyState& sample = states[index(control.action)];
        sample.wasDown = sample.down;
        sample.down = sampledDown(control.action, pad);
    }
}

bool Input::isQuitAsked() const {
    const int key = keys[Action::Quit];
    return key != Controls::kNoKey && Platform::getKey(key) == Platform::kPress;
}

void Input::onMouseMove(int x, int y) {
    prevMouseX = mouseX;
    prevMouseY = mouseY;
    mouseX = x;
    mouseY = y;
    if (mouseCaptured) recentreCursor();
}
