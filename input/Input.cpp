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

bool Input::takesRecorded(Action action) const {
    // What does not drive the game (the options) is never in a recording: the devices give it.
    return replayingRecording && Controls::of(action).drivesTheGame;
}

bool Input::heldOnDevices(Action action, const Platform::Gamepad& pad) const {
    const int key = keys[action];
    const int button = Controls::of(action).mouseButton;
    return (key != Controls::kNoKey && Platform::getKey(key) == Platform::kPress) ||
           (button != Controls::kNoButton && buttonsDown[button]) ||
           GamepadControls::holds(pad, action);
}

void Input::poll(const Platform::Gamepad& pad) {
    buttonsBefore = buttonsDown;
    for (int button = 0; button < kMouseButtons; ++button) {
        buttonsDown[button] = Platform::getMouseButton(button) == Platform::kPress;
    }
    for (const Controls::ActionControl& control : Controls::all()) {
        if (control.action == Action::Quit) continue;
        KeyState& sample = states[index(control.action)];
        // Read once: a sticky key's press is gone after the first read.
        sample.wasOnDevices = sample.onDevices;
        sample.onDevices = heldOnDevices(control.action, pad);
        sample.wasDown = sample.down;
        sample.down = takesRecorded(control.action) ? sample.recorded : sample.onDevices;
        if (control.action == Action::Rewind && rewindToggles && !replayingRecording) {
            sample.down = toggledRewind(sample.down);
        }
    }
}

void Input::pollRecordedOnly() {
    KELVARIN_ASSERT(replayingRecording);
    for (const Controls::ActionControl& control : Controls::all()) {
        if (!takesRecorded(control.action)) continue;
        KeyState& sample = states[index(control.action)];
        sample.wasDown = sample.down;
        sample.down = sample.recorded;
    }
}

void Input::restartReplay() {
    for (KeyState& sample : states) sample.down = sample.wasDown = sample.recorded = false;
    mouseX = prevMouseX = kCursorCentreX;
    mouseY = prevMouseY = kCursorCentreY;
}

bool Input::toggledRewind(bool keyDown) {
    const bool pressed = keyDown && !rewindKeyWasDown;
    rewindKeyWasDown = keyDown;
    if (lettingGoOfRewind) {
        lettingGoOfRewind = false;
        rewindToggledOn = false;
        rewindPressWaits = pressed;
        return false;
    }
    if (pressed || rewindPressWaits) rewindToggledOn = !rewindToggledOn;
    rewindPressWaits = false;
    return rewindToggledOn;
}

void Input::onRewindEndedByItself() {
    if (rewindToggles && rewindToggledOn) lettingGoOfRewind = true;
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
