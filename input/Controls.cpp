#include "input/Controls.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "core/Assert.h"
#include "core/FixedStepper.h"
#include "core/Json.h"
#include "input/Keys.h"

namespace Controls {
namespace {

using Platform::PadAxis;
using Platform::PadButton;

constexpr unsigned bit(PadButton button) {
    return 1u << static_cast<unsigned>(button);
}

constexpr unsigned kRunButtons =
    bit(PadButton::LeftThumb) | bit(PadButton::LeftBumper) | bit(PadButton::RightBumper);

// clang-format off
constexpr std::array<ActionControl, kActionCount> kActions = {{
    {Action::Forward, "forward", "Forward", 'W', {PadAxis::LeftY, -1, 0}, true},
    {Action::Left, "left", "Left", 'A', {PadAxis::LeftX, -1, 0}, true},
    {Action::Back, "back", "Back", 'S', {PadAxis::LeftY, 1, 0}, true},
    {Action::Right, "right", "Right", 'D', {PadAxis::LeftX, 1, 0}, true},
    {Action::Run, "run", "Run", Platform::kKeyLShift, {PadAxis::Count, 0, kRunButtons}, true},
    {Action::Fire, "fire", "Shoot", Keys::mouseButton(Platform::kMouseButtonLeft),
     {PadAxis::RightTrigger, 1, 0}, true},
    {Action::Rewind, "rewind", "Rewind", Platform::kKeySpace, {PadAxis::LeftTrigger, 1, 0}, true},
    {Action::Quit, "quit", "Quit", Platform::kKeyEsc, {}, false},
    {Action::Options, "options", "Options", Platform::kKeyTab, {PadAxis::Count, 0, bit(PadButton::Start)}, false},
    {Action::Restart, "restart", "Restart", 'R', {PadAxis::Count, 0, bit(PadButton::Back)}, true},
    {Action::Pause, "pause", "Pause", 'P', {PadAxis::Count, 0, bit(PadButton::Y)}, true},
    {Action::Step, "step", "Step", 'O', {PadAxis::Count, 0, bit(PadButton::X)}, true},
    {Action::Slower, "slower", "Slower", '[', {PadAxis::Count, 0, bit(PadButton::DpadDown)}, true},
    {Action::Faster, "faster", "Faster", ']', {PadAxis::Count, 0, bit(PadButton::DpadUp)}, true},
    {Action::Stats, "stats", "Statistics", 'I', {PadAxis::Count, 0, bit(PadButton::DpadLeft)}, true},
    {Action::Boxes, "boxes", "Boxes", 'B', {PadAxis::Count, 0, bit(PadButton::DpadRight)}, true},
    {Action::Grab, "grab", "Grab", Keys::mouseButton(Platform::kMouseButtonRight), {PadAxis::Count, 0, bit(PadButton::RightThumb)}, true},
    {Action::Blast, "blast", "Blast", 'E', {PadAxis::Count, 0, bit(PadButton::B)}, true},
}};

// In the order of Platform::PadButton.
constexpr const char* kPadButtonNames[Platform::Gamepad::kButtons] = {
    "A", "B", "X", "Y", "left shoulder", "right shoulder", "Back", "Start", "Guide",
    "left stick press", "right stick press", "d-pad up", "d-pad right", "d-pad down", "d-pad left"};
// In the order of Platform::PadAxis: a stick's two axes are one control.
constexpr const char* kPadAxisNames[Platform::Gamepad::kAxes] = {
    "left stick", "left stick", "right stick", "right stick", "left trigger", "right trigger"};
// clang-format on

constexpr const char* kHelpTitle = "CONTROLS:";
// Every line but the last ends with a blank before its line feed.
constexpr const char* kHelpLineBreak = " \n";
constexpr const char* kNoControl = "-";
constexpr const char* kOr = " or ";

// "1/60" for a sixtieth.
std::string fraction(double part) {
    return "1/" + std::to_string(static_cast<int>(std::lround(1.0 / part)));
}

// "1/4, 1/2 or full speed".
std::string speedsText() {
    std::string text;
    for (std::size_t i = 0; i + 1 < kSpeeds.size(); ++i) {
        text += (i == 0 ? "" : ", ") + fraction(kSpeeds[i]);
    }
    return text + kOr + "full speed";
}

std::string secondsOfFrames(int frames) {
    return std::to_string(
        static_cast<int>(std::lround(frames * FrameClock::FixedStepper::kStepSeconds)));
}

struct HeldNotes {
    const char* held;
    const char* toggled;
};
constexpr HeldNotes kKeysHeld = {" (hold)", " (press to start, again to stop)"};
constexpr HeldNotes kPadHeld = {", held", ", pressed to start, again to stop"};
constexpr HeldNotes kTouchHeld = {", held", ", tapped to start, again to stop"};

std::string heldNote(const ShownControl& row, const HeldNotes& notes, bool toggled) {
    if (!row.held) return "";
    return toggled ? notes.toggled : notes.held;
}

std::string joined(const std::vector<std::string>& words, const char* separator,
                   const char* last = nullptr) {
    std::string text;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const bool isLast = i + 1 == words.size() && i > 0;
        text += (i == 0 ? "" : isLast && last ? last : separator) + words[i];
    }
    return text;
}

// An action's pad controls: its axis, then each of its buttons.
std::vector<std::string> padNames(Action action) {
    const PadControl& pad = of(action).pad;
    std::vector<std::string> names;
    if (pad.axis != PadAxis::Count) names.emplace_back(kPadAxisNames[static_cast<int>(pad.axis)]);
    for (int button = 0; button < Platform::Gamepad::kButtons; ++button) {
        if (pad.buttons >> button & 1u) names.emplace_back(kPadButtonNames[button]);
    }
    return names;
}

// Each of the row's actions' pad words once: the movement's four are one stick.
std::vector<std::string> rowPadWords(const ShownControl& row, bool firstOnly) {
    std::vector<std::string> words;
    for (const Action action : row.actions) {
        const std::vector<std::string> names = padNames(action);
        if (names.empty()) continue;
        const std::string word = firstOnly ? names.front() : joined(names, ", ", kOr);
        if (std::find(words.begin(), words.end(), word) == words.end()) words.push_back(word);
    }
    return words;
}

// "Left Stick Press": the help's own way with the pad's words.
std::string titled(std::string words) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i == 0 || words[i - 1] == ' ' || words[i - 1] == '-') {
            words[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(words[i])));
        }
    }
    return words;
}

// A key's label where the system can tell the player's layout, else its name; a mouse button by
// its name.
std::string shown(int key, std::string (*label)(int key)) {
    const std::string fromLayout = label && Keys::buttonOf(key) < 0 ? label(key) : "";
    return fromLayout.empty() ? Keys::name(key) : fromLayout;
}

// Keys of one letter each run together, as "WASD" does; longer names are kept apart.
std::string helpKeys(const ShownControl& row, const KeyMap& keys, std::string (*label)(int key)) {
    const KeyMap defaults = defaultKeys();
    std::vector<std::string> names;
    bool asDefault = true;
    bool allLetters = true;
    for (const Action action : row.actions) {
        asDefault = asDefault && keys[action] == defaults[action];
        names.push_back(shown(keys[action], label));
        allLetters = allLetters && names.back().size() == 1;
    }
    if (asDefault) return row.helpDefaultKeys;
    return joined(names, allLetters ? "" : "/") + row.keysAfter;
}

std::string helpWords(const ShownControl& row, const KeyMap& keys, Device device,
                      std::string (*label)(int key)) {
    switch (device) {
        case Device::Keyboard:
            return helpKeys(row, keys, label);
        case Device::Pad: {
            const std::vector<std::string> words = rowPadWords(row, true);
            return words.empty() ? "" : titled(joined(words, "/") + row.padAfter);
        }
        case Device::Touch:
            return row.helpTouch;
    }
    return "";
}

}  // namespace

const ActionControl& of(Action action) {
    const int index = static_cast<int>(action);
    KELVARIN_ASSERT(index >= 0 && index < kActionCount);
    return kActions[index];
}

const std::array<ActionControl, kActionCount>& all() {
    return kActions;
}

bool named(std::string_view name, Action& action) {
    for (const ActionControl& control : kActions) {
        if (name == control.name) {
            action = control.action;
            return true;
        }
    }
    return false;
}

std::string actionNames() {
    std::string names;
    for (const ActionControl& control : kActions) {
        names += (names.empty() ? "" : ", ") + std::string(control.name);
    }
    return names;
}

const char* padButtonName(Platform::PadButton button) {
    return kPadButtonNames[static_cast<int>(button)];
}

std::string whyNotBindable(int key) {
    constexpr int kFullscreenKey = Platform::kKeyF1 + 10;
    if (key == kFullscreenKey) {
        return Keys::name(key) + " switches between the window and fullscreen";
    }
    return Keys::name(key).empty() ? "no key has that code" : "";
}

Action KeyMap::holder(int key, Action except) const {
    for (const ActionControl& control : kActions) {
        if (control.action != except && (*this)[control.action] == key) return control.action;
    }
    return Action::Count;
}

void KeyMap::give(int key, Action action) {
    const Action other = holder(key, action);
    if (other != Action::Count) (*this)[other] = (*this)[action];
    (*this)[action] = key;
}

KeyMap defaultKeys() {
    KeyMap map{};
    for (const ActionControl& control : kActions) map[control.action] = control.key;
    return map;
}

const std::vector<ShownControl>& shownControls() {
    using A = Action;
    // clang-format off
    static const std::vector<ShownControl> rows = {
        {"fly forward, left, back, right along the look direction; look around",
         {A::Forward, A::Left, A::Back, A::Right}, nullptr, nullptr, " + Mouse", " + right stick",
         "Move stick + drag on the game", false, "Movement", "WASD + Mouse", "Move + Drag"},
        {"shoot", {A::Fire}, nullptr, nullptr, "", "", "Fire", false, "Shoot", "Left Click", "Fire"},
        {"run (twice the speed)", {A::Run}, nullptr, nullptr, "", "", "Run", false, "Run", "Shift",
         "Run"},
        {"rewind time", {A::Rewind}, nullptr, nullptr, "", "", "Rewind", true, "Rewind", "Spacebar",
         "Rewind"},
        {"quit (in a page: pause)", {A::Quit}, nullptr, nullptr, "", "", "Pause", false, "Quit",
         "Escape", ""},
        {"the options, the game waiting", {A::Options}, nullptr, nullptr, "", "",
         "Pause, then Options", false, "Options", "Tab", "Pause"},
        {"switch between the window and fullscreen", {}, "F11, Alt+Enter", kNoControl, "", "",
         "the first touch", false, nullptr, nullptr, nullptr},
        {"restart: the wall laid again, the rewind's history emptied", {A::Restart}, nullptr,
         nullptr, "", "", "Restart", false, nullptr, nullptr, nullptr},
        {"pause the bricks (the camera still flies); in a replay, hold it", {A::Pause}, nullptr,
         nullptr, "", "", "Freeze", false, nullptr, nullptr, nullptr},
        {"one step of " + fraction(FrameClock::FixedStepper::kStepSeconds) +
             " s while paused; in a held replay a frame (with Run: back)",
         {A::Step}, nullptr, nullptr, "", "", kNoControl, false, nullptr, nullptr, nullptr},
        {"the bricks slower, faster: " + speedsText() + "; in a replay, " +
             secondsOfFrames(kSeekFrames) + " s back, on",
         {A::Slower, A::Faster}, nullptr, nullptr, "", "", kNoControl, false, nullptr, nullptr,
         nullptr},
        {"statistics: frame and step times, bricks awake and asleep, scene and box tests, rewind left", {A::Stats},
         nullptr, nullptr, "", "", kNoControl, false, nullptr, nullptr, nullptr},
        {"the collision boxes: awake yellow, asleep blue and dashed", {A::Boxes}, nullptr, nullptr, "",
         "", kNoControl, false, nullptr, nullptr, nullptr},
        {"hold to carry the brick aimed at; let go to throw it", {A::Grab}, nullptr, nullptr, "",
         "", "Grab", false, nullptr, nullptr, nullptr},
        {"blast: push the bricks near the aimed point away", {A::Blast}, nullptr, nullptr, "", "",
         "Blast", false, nullptr, nullptr, nullptr},
    };
    // clang-format on
    return rows;
}

std::string keyboardWords(const ShownControl& row, const KeyMap& keys, bool toggled) {
    if (row.fixedKeys) return row.fixedKeys;
    std::vector<std::string> names;
    for (const Action action : row.actions) names.push_back(Keys::name(keys[action]));
    return joined(names, ", ") + row.keysAfter + heldNote(row, kKeysHeld, toggled);
}

std::string padWords(const ShownControl& row, bool toggled) {
    if (row.fixedPad) return row.fixedPad;
    const std::vector<std::string> words = rowPadWords(row, false);
    if (words.empty()) return kNoControl;
    return joined(words, ", ") + row.padAfter + heldNote(row, kPadHeld, toggled);
}

std::string touchWords(const ShownControl& row, bool toggled) {
    const bool none = std::string_view(row.touch) == kNoControl;
    return row.touch + (none ? "" : heldNote(row, kTouchHeld, toggled));
}

std::string helpText(const KeyMap& keys, Device device, std::string (*label)(int key)) {
    std::string text = kHelpTitle;
    for (const ShownControl& row : shownControls()) {
        if (!row.helpLabel) continue;
        const std::string words = helpWords(row, keys, device, label);
        if (device != Device::Keyboard && words.empty()) continue;
        text += kHelpLineBreak + std::string(row.helpLabel) + "-" + words;
    }
    return text;
}

std::string asMarkdown() {
    std::string table =
        "| Action | Keyboard and mouse | Pad | Touch (in a page) |\n|---|---|---|---|\n";
    for (const ShownControl& row : shownControls()) {
        table += "| " + row.what + " | " + keyboardWords(row, defaultKeys()) + " | " +
                 padWords(row) + " | " + touchWords(row) + " |\n";
    }
    return table;
}

std::string asManual() {
    std::string text;
    for (const ShownControl& row : shownControls()) {
        const std::string pad = padWords(row);
        text += ".TP\n.BR \"" + keyboardWords(row, defaultKeys()) + "\"" +
                (pad == kNoControl ? "" : " \", " + pad + "\"") + "\n" + row.what + "\n";
    }
    return text;
}

std::string asJson(const KeyMap& keys, bool rewindToggles) {
    std::string json = "[";
    for (const ShownControl& row : shownControls()) {
        json += (json.size() > 1 ? ", " : "") + std::string("{\"action\": ") +
                jsonString(row.what) +
                ", \"keyboardAndMouse\": " + jsonString(keyboardWords(row, keys, rewindToggles)) +
                ", \"pad\": " + jsonString(padWords(row, rewindToggles)) +
                ", \"touch\": " + jsonString(touchWords(row, rewindToggles)) + "}";
    }
    return json + "]";
}

}  // namespace Controls
