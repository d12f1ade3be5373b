#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"

// What the player can do, each action sampled once a frame from its key (or mouse button) and pad.
enum class Action : std::uint8_t {
    Forward,
    Left,
    Back,
    Right,
    Run,
    Fire,
    Rewind,
    Quit,
    Options,
    // The testbed's tools: the wall laid again, the simulation paused, stepped, slowed down or
    // sped up, and what is drawn over it.
    Restart,
    Pause,
    Step,
    Slower,
    Faster,
    Stats,
    Boxes,
    // The player's hand: a brick picked up and carried while held, thrown when let go; a blast.
    Grab,
    Blast,
    Count
};

// The game's controls in one table, the one place a control is defined: every action with its name
// in recordings, its default key (by its place on the keyboard, or a mouse button) and its pad
// control; and the rows in which the help text, the usage text, the manual, the page and the
// README show them, each row's pad words made from its actions' pad controls.
namespace Controls {

constexpr int kActionCount = static_cast<int>(Action::Count);

// The testbed's speeds, as fractions of real time: Slower and Faster step through them. The fixed
// steps are spaced out, each still of the same length, so every speed gives the same bricks step
// for step.
constexpr std::array<double, 3> kSpeeds = {0.25, 0.5, 1.0};
// How far Slower and Faster seek in a replay, in frames of 1/60 s: about ten seconds.
constexpr int kSeekFrames = 600;

// A pad holds an action with a stick or trigger past its threshold in one direction, or with any of
// some buttons.
struct PadControl {
    Platform::PadAxis axis = Platform::PadAxis::Count;
    // -1 or 1: the half of the axis that holds the action.
    int direction = 0;
    // A bit per Platform::PadButton.
    unsigned buttons = 0;
};

struct ActionControl {
    Action action;
    // In recordings, scripts and the settings file (key.NAME); what the options call it.
    const char* name;
    const char* title;
    // A key's code, or a mouse button's (see Keys).
    int key;
    PadControl pad;
    // Recorded and replayed: false for what stops the game or steps out of it (quit, options).
    bool drivesTheGame;
};

const ActionControl& of(Action action);
const std::array<ActionControl, kActionCount>& all();
// The action with this name; false, leaving action alone, for none.
bool named(std::string_view name, Action& action);
// Every action's name, in the table's order: "forward, left, back, ...".
std::string actionNames();
// The pad's words for a button ("d-pad left", "Start").
const char* padButtonName(Platform::PadButton button);

// Why a key (or mouse button) cannot be an action's: the window's own keys (F11 switches
// fullscreen) would act twice. Empty when it can.
std::string whyNotBindable(int key);

// The key (or mouse button) each action is played with: every action has one, and no two share
// one.
struct KeyMap {
    std::array<int, kActionCount> keys;

    int operator[](Action action) const { return keys[static_cast<int>(action)]; }
    int& operator[](Action action) { return keys[static_cast<int>(action)]; }
    bool operator==(const KeyMap& that) const { return keys == that.keys; }
    // The action another than except plays with key; Count for none.
    Action holder(int key, Action except) const;
    // The action plays with key from now on; another action that had it takes this one's, so
    // that no key plays two and every action keeps one.
    void give(int key, Action action);
};
// The table's own keys.
KeyMap defaultKeys();

// A row of the controls as the usage text, the manual, the page and the README show them: what it
// does; its keys (the names of its actions' keys, else fixed words), its pad's controls (its
// actions', else fixed words) and its touch control; and its line in the help text drawn over the
// game, if it has one.
struct ShownControl {
    std::string what;
    std::vector<Action> actions;
    // Where no action's control names them ("Mouse", "F11, Alt+Enter"; "-" for none).
    const char* fixedKeys;
    const char* fixedPad;
    // After the actions' controls: the look, which no action plays (" + Mouse").
    const char* keysAfter;
    const char* padAfter;
    const char* touch;
    // Held as long as it acts (the rewind): the player may toggle it instead.
    bool held;
    // The help text's line: its label, the game's own words for its default keys, and the touch
    // screen's words; no label, no line.
    const char* helpLabel;
    const char* helpDefaultKeys;
    const char* helpTouch;
};

const std::vector<ShownControl>& shownControls();
// The row's words as the player has them: "W, A, S, D + Mouse", "Space (hold)"; "left stick +
// right stick"; "Rewind, held". Toggled, a held row says how it is toggled.
std::string keyboardWords(const ShownControl& row, const KeyMap& keys, bool toggled = false);
std::string padWords(const ShownControl& row, bool toggled = false);
std::string touchWords(const ShownControl& row, bool toggled = false);
// The devices the help text speaks to.
enum class Device { Keyboard, Pad, Touch };
// The text drawn over the game: on a keyboard its lines name the actions' keys, in the game's own
// words while they are the default ones, by label (a name of the player's layout) when rebound;
// with a pad or on a touch screen they name their controls.
std::string helpText(const KeyMap& keys, Device device = Device::Keyboard,
                     std::string (*label)(int key) = nullptr);
// The rows as a Markdown table, as the README has it.
std::string asMarkdown();
// The rows as the manual page's tagged paragraphs (troff), keys and pad controls in bold.
std::string asManual();
// The rows as JSON for the page, with the keys and the rewind the player has: [{"action": "...",
// "keyboardAndMouse": "...", "pad": "...", "touch": "..."}].
std::string asJson(const KeyMap& keys, bool rewindToggles);

}  // namespace Controls
