#include "input/Input.h"

#include <initializer_list>

#include "core/Assert.h"
#include "input/GamepadControls.h"
#include "platform/Platform.h"

namespace {

// Degrees of turn per pixel of cursor distance from the centre.
constexpr float kMouseSensitivity = 0.04f;

constexpr int kKeyForward = 'W';
constexpr int kKeyLeft = 'A';
constexpr int kKeyBack = 'S';
constexpr int kKeyRight = 'D';

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
    mouseEnabled = true;
    keyboardEnabled = true;
    sensitivityX = kMouseSensitivity;
    sensitivityY = kMouseSensitivity;
    forwardKey.code = kKeyForward;
    leftKey.code = kKeyLeft;
    backKey.code = kKeyBack;
    rightKey.code = kKeyRight;
    runKey.code = Platform::kKeyLShift;
    fireButton.code = Platform::kMouseButtonLeft;
    rewindKey.code = Platform::kKeySpace;
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

void Input::sampleKey(KeyState& key, const Platform::Gamepad& pad) const {
    key.wasDown = key.down;
    key.down = replayingRecording ? key.recorded
                                  : Platform::getKey(key.code) == Platform::kPress ||
                                        GamepadControls::holds(pad, key.code, false);
}

template <typename Self>
auto* Input::binding(Self& self, int code, bool isMouseButton) {
    if (isMouseButton) return code == self.fireButton.code ? &self.fireButton : nullptr;
    for (auto* key : {&self.forwardKey, &self.leftKey, &self.backKey, &self.rightKey, &self.runKey,
                      &self.rewindKey}) {
        if (key->code == code) return key;
    }
    return static_cast<decltype(&self.forwardKey)>(nullptr);
}

bool Input::isDown(int code, bool isMouseButton) const {
    const KeyState* key = binding(*this, code, isMouseButton);
    return key && key->down;
}

void Input::setRecordedState(int code, bool isMouseButton, bool down) {
    if (KeyState* key = binding(*this, code, isMouseButton)) key->recorded = down;
}

void Input::pollKeys(const Platform::Gamepad& pad) {
    for (KeyState* key : {&forwardKey, &leftKey, &backKey, &rightKey, &runKey, &rewindKey}) {
        sampleKey(*key, pad);
    }
}

void Input::pollMouseButtons(const Platform::Gamepad& pad) {
    fireButton.wasDown = fireButton.down;
    fireButton.down = replayingRecording
                          ? fireButton.recorded
                          : Platform::getMouseButton(fireButton.code) == Platform::kPress ||
                                GamepadControls::holds(pad, fireButton.code, true);
}

void Input::onMouseMove(int x, int y) {
    prevMouseX = mouseX;
    prevMouseY = mouseY;
    mouseX = x;
    mouseY = y;
    if (mouseCaptured) recentreCursor();
}
