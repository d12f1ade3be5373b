#include "input/Input.h"

#include <algorithm>
#include <utility>

#include "core/Assert.h"
#include "input/GamepadControls.h"
#include "input/Keys.h"

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
    fieldOfView = look.fieldOfView;
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
    const int button = Keys::buttonOf(key);
    // Read once: a sticky key's press is gone after the first read.
    const bool keyHeld =
        button >= 0 ? buttonsDown[button] : Platform::getKey(key) == Platform::kPress;
    return keyHeld || GamepadControls::holds(pad, action);
}

int Input::countedPresses(Action action, const Platform::PressCounts& counts) const {
    const int key = keys[action];
    const int button = Keys::buttonOf(key);
    return button >= 0 ? counts.buttons[button] : counts.keys[key];
}

void Input::poll(const Platform::Gamepad& pad) {
    buttonsBefore = buttonsDown;
    for (int button = 0; button < Platform::kMouseButtons; ++button) {
        buttonsDown[button] = Platform::getMouseButton(button) == Platform::kPress;
    }
    Platform::PressCounts counts;
    Platform::takePressCounts(counts);
    for (const Controls::ActionControl& control : Controls::all()) {
        if (control.action == Action::Quit) continue;
        KeyState& sample = states[index(control.action)];
        bool held = heldOnDevices(control.action, pad);
        if (sample.heldBack) {
            sample.heldBack = held;
            held = false;
        }
        sample.wasOnDevices = sample.onDevices;
        sample.onDevices = held;
        const bool wentDown = held && !sample.wasOnDevices;
        sample.pressesOnDevices =
            sample.heldBack ? 0
                            : std::max(countedPresses(control.action, counts), wentDown ? 1 : 0);
        sample.wasDown = sample.down;
        if (takesRecorded(control.action)) {
            sample.down = sample.recorded;
            sample.presses = std::exchange(sample.recordedPresses, 0);
        } else if (control.action == Action::Rewind && rewindToggles) {
            sample.down = toggledRewind(held);
            sample.presses = sample.down && !sample.wasDown ? 1 : 0;
        } else {
            sample.down = held;
            sample.presses = sample.pressesOnDevices;
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
        sample.presses = std::exchange(sample.recordedPresses, 0);
    }
}

void Input::recordPress(Action action) {
    KeyState& sample = states[index(action)];
    sample.recorded = true;
    ++sample.recordedPresses;
}

void Input::holdBackUntilReleased(int closingKey) {
    for (KeyState& sample : states) sample.heldBack = sample.heldBack || sample.onDevices;
    for (const Controls::ActionControl& control : Controls::all()) {
        if (keys[control.action] == closingKey) states[index(control.action)].heldBack = true;
    }
}

void Input::restartReplay() {
    for (KeyState& sample : states) {
        sample.down = sample.wasDown = sample.recorded = false;
        sample.presses = sample.recordedPresses = 0;
    }
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

bool Input::isQuitAsked() {
    const int key = keys[Action::Quit];
    const int button = Keys::buttonOf(key);
    const bool down = button >= 0 ? buttonsDown[button] : Platform::getKey(key) == Platform::kPress;
    KeyState& quit = states[index(Action::Quit)];
    if (!quit.heldBack) return down;
    quit.heldBack = down;
    return false;
}

void Input::onMouseMove(int x, int y) {
    prevMouseX = mouseX;
    prevMouseY = mouseY;
    mouseX = x;
    mouseY = y;
    if (mouseCaptured) recentreCursor();
}
