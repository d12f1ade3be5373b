#pragma once

// input/: the sampled keyboard and mouse and the first-person camera. May include: core, platform.

#include "core/WindowSize.h"
#include "input/LookSettings.h"
#include "platform/Platform.h"

// One binding: its key code (or mouse-button number), its two latest samples, and the state a
// replayed recording gives it.
struct KeyState {
    int code = 0;
    bool down = false;
    bool wasDown = false;
    bool recorded = false;
};

// What the player does with keyboard, mouse and pad, sampled once per frame (a binding is down
// when its key or button is, or the pad holds it: see GamepadControls). Each binding keeps this and
// the previous sample, so the edge queries stay true for the whole frame in which they occur.
class Input {
public:
    static constexpr int kCursorCentreX = Core::kWindowWidth / 2;
    static constexpr int kCursorCentreY = Core::kWindowHeight / 2;

    static Input* instance();

    // Captures and hides the cursor at the window centre; needs the window to be open.
    Input();

    // The turn rates for these settings; the defaults give the game's own.
    void setLook(const LookSettings& look);
    void recentreCursor();
    void showCursor(bool show);
    // Each binding's sample this frame: its key or button, or the pad as read once for the frame
    // (at rest when none is connected).
    void pollKeys(const Platform::Gamepad& pad);
    void pollMouseButtons(const Platform::Gamepad& pad);
    // Records a reported cursor position and, while captured, puts the cursor back at the centre.
    void onMouseMove(int x, int y);

    bool isMouseEnabled() const { return mouseEnabled; }
    bool isKeyboardEnabled() const { return keyboardEnabled; }
    bool isMouseCaptured() const { return mouseCaptured; }
    float getSensitivityX() const { return sensitivityX; }
    float getSensitivityY() const { return sensitivityY; }
    int getMouseX() const { return mouseX; }
    int getMouseY() const { return mouseY; }

    bool isForwardDown() const { return forwardKey.down; }
    bool isLeftDown() const { return leftKey.down; }
    bool isBackDown() const { return backKey.down; }
    bool isRightDown() const { return rightKey.down; }
    bool isRunDown() const { return runKey.down; }
    bool isFirePressed() const { return fireButton.down && !fireButton.wasDown; }
    // The latest sample of the binding with this key code (or mouse button); false for a code no
    // binding has.
    bool isDown(int code, bool isMouseButton) const;

    // While replaying, the bindings are sampled from recorded states instead of the devices.
    void setReplaying(bool replaying) { replayingRecording = replaying; }
    bool isReplaying() const { return replayingRecording; }
    void setRecordedState(int code, bool isMouseButton, bool down);
    bool isRewindPressed() const { return rewindKey.down && !rewindKey.wasDown; }
    bool isRewindReleased() const { return rewindKey.wasDown && !rewindKey.down; }

private:
    void sampleKey(KeyState& key, const Platform::Gamepad& pad) const;
    // The binding with this code, as KeyState* or const KeyState* after self's constness.
    template <typename Self>
    static auto* binding(Self& self, int code, bool isMouseButton);

    bool mouseEnabled = true;
    bool keyboardEnabled = true;
    int mouseX = 0;
    int mouseY = 0;
    int prevMouseX = 0;
    int prevMouseY = 0;
    bool mouseCaptured = true;
    float sensitivityX = 0.0f;
    float sensitivityY = 0.0f;
    KeyState forwardKey;
    KeyState leftKey;
    KeyState backKey;
    KeyState rightKey;
    KeyState runKey;
    KeyState fireButton;
    KeyState rewindKey;
    bool replayingRecording = false;
};
