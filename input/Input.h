#pragma once

// input/: the controls table, the sampled keyboard, mouse and pad, and the first-person camera.
// May include: core, platform.

#include <array>

#include "core/WindowSize.h"
#include "input/Controls.h"
#include "input/LookSettings.h"
#include "platform/Platform.h"

// One action's two latest samples and the presses between them, the state and presses a replayed
// recording gives it, and the same of the player's own devices (the same as the first unless
// replaying).
struct KeyState {
    bool down = false;
    bool wasDown = false;
    int presses = 0;
    bool recorded = false;
    int recordedPresses = 0;
    bool onDevices = false;
    bool wasOnDevices = false;
    int pressesOnDevices = 0;
    // Held when the options closed: it acts in the game only once let go.
    bool heldBack = false;
};

// What the player does with keyboard, mouse and pad: every action sampled once a frame (held when
// its key, its mouse button or the pad holds it), keeping this and the previous sample so that the
// edge queries stay true for the whole frame. Quit is read after the frame instead: it ends the run
// rather than driving it.
class Input {
public:
    static constexpr int kCursorCentreX = Core::kWindowWidth / 2;
    static constexpr int kCursorCentreY = Core::kWindowHeight / 2;

    static Input* instance();

    // Captures and hides the cursor at the window centre; needs the window to be open.
    Input();

    void setLook(const LookSettings& look);
    void setKeys(const Controls::KeyMap& keyMap) { keys = keyMap; }
    // Rewinding by one press to start and the next to stop instead of holding: the rewind action
    // is then held from the one press to the other, and so recorded.
    void setRewindToggles(bool toggles) { rewindToggles = toggles; }
    // A rewind that ended by itself (the history ran out) lets go of a toggled rewind, so the next
    // press starts another.
    void onRewindEndedByItself();
    void recentreCursor();
    void showCursor(bool show);
    // Samples every action but quit, from the devices or, while replaying, the recorded states.
    void poll(const Platform::Gamepad& pad);
    // While replaying: samples the recorded states only, leaving the devices unread (a replay
    // played through at once, without frames shown).
    void pollRecordedOnly();
    // Back to a replay's start: nothing held, the cursor at the centre.
    void restartReplay();
    // Records a reported cursor position and, while captured, puts the cursor back at the centre.
    void onMouseMove(int x, int y);
    // Reads the quit key: once a frame, after it.
    bool isQuitAsked();
    // The options closed, with closingKey (none: -1): whatever the devices held for them, and that
    // key, acts in the game only once let go, so nothing pressed there also plays.
    void holdBackUntilReleased(int closingKey);

    bool isMouseCaptured() const { return mouseCaptured; }
    float getSensitivityX() const { return sensitivityX; }
    float getSensitivityY() const { return sensitivityY; }
    // Degrees; the camera follows it every frame.
    int getFieldOfView() const { return fieldOfView; }
    int getMouseX() const { return mouseX; }
    int getMouseY() const { return mouseY; }

    bool isDown(Action action) const { return state(action).down; }
    bool isPressed(Action action) const { return state(action).down && !state(action).wasDown; }
    // Every press since the previous sample, also those quicker than the frames: at least one when
    // the action went down.
    int presses(Action action) const { return state(action).presses; }
    int pressesOnDevices(Action action) const { return state(action).pressesOnDevices; }
    bool isReleased(Action action) const { return state(action).wasDown && !state(action).down; }
    // The player's own devices, also while a replay drives the game.
    bool isDownOnDevices(Action action) const { return state(action).onDevices; }
    bool isPressedOnDevices(Action action) const {
        return state(action).onDevices && !state(action).wasOnDevices;
    }
    bool isForwardDown() const { return isDown(Action::Forward); }
    bool isLeftDown() const { return isDown(Action::Left); }
    bool isBackDown() const { return isDown(Action::Back); }
    bool isRightDown() const { return isDown(Action::Right); }
    bool isRunDown() const { return isDown(Action::Run); }
    bool isFirePressed() const { return isPressed(Action::Fire); }
    bool isRewindPressed() const { return isPressed(Action::Rewind); }
    bool isRewindReleased() const { return isReleased(Action::Rewind); }
    // The mouse button went down at the latest sample, whatever action it plays.
    bool isClicked(int button = Platform::kMouseButtonLeft) const {
        return buttonsDown[button] && !buttonsBefore[button];
    }

    void setReplaying(bool replaying) { replayingRecording = replaying; }
    bool isReplaying() const { return replayingRecording; }
    // A replayed recording's press or release of the action in the coming frame, in its order.
    void recordPress(Action action);
    void recordRelease(Action action) { states[index(action)].recorded = false; }

private:
    static int index(Action action) { return static_cast<int>(action); }
    const KeyState& state(Action action) const { return states[index(action)]; }
    bool takesRecorded(Action action) const;
    bool heldOnDevices(Action action, const Platform::Gamepad& pad) const;
    int countedPresses(Action action, const Platform::PressCounts& counts) const;
    bool toggledRewind(bool keyDown);

    int mouseX = 0;
    int mouseY = 0;
    int prevMouseX = 0;
    int prevMouseY = 0;
    bool mouseCaptured = true;
    float sensitivityX = 0.0f;
    float sensitivityY = 0.0f;
    int fieldOfView = LookSettings::kDefaultFieldOfView;
    Controls::KeyMap keys = Controls::defaultKeys();
    std::array<KeyState, Controls::kActionCount> states;
    // Each mouse button read once a poll (a sticky press is gone after the first read).
    std::array<bool, Platform::kMouseButtons> buttonsDown{};
    std::array<bool, Platform::kMouseButtons> buttonsBefore{};
    bool replayingRecording = false;
    bool rewindToggles = false;
    bool rewindToggledOn = false;
    bool rewindKeyWasDown = false;
    // After a rewind ended by itself: the next sample lets go, a press then waits for the one
    // after.
    bool lettingGoOfRewind = false;
    bool rewindPressWaits = false;
};
