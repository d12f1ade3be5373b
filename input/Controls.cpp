#include "input/Controls.h"

#include <algorithm>

#include "core/Assert.h"
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
    {Action::Rewind, "rewind", "Rewind", Platform::kKeySpace, {PadAxis::LeftTrigger, 1, 0},
     true},
    {Action::Quit, "quit", "Quit", Platform::kKeyEsc, {}, false},
    {Action::Options, "options", "Options", Platform::kKeyTab,
     {PadAxis::Count, 0, bit(PadButton::Start)}, false},
    {Action::Restart, "restart", "Restart", 'R', {PadAxis::Count, 0, bit(PadButton::Back)}, true},
    {Action::Pause, "pause", "Pause", 'P', {PadAxis::Count, 0, bit(PadButton::Y)}, true},
    {Action::Step, "step", "Step", 'O', {PadAxis::Count, 0, bit(PadButton::X)}, true},
    {Action::Slower, "slower", "Slower", '[', {PadAxis::Count, 0, bit(PadButton::DpadDown)},
     true},
    {Action::Faster, "faster", "Faster", ']', {PadAxis::Count, 0, bit(PadButton::DpadUp)},
     true},
    {Action::Stats, "stats", "Statistics", 'I',
     {PadAxis::Count, 0, bit(PadButton::DpadLeft)}, true},
    {Action::Boxes, "boxes", "Boxes", 'B', {PadAxis::Count, 0, bit(PadButton::DpadRight)},
     true},
}};
// clang-format on

// The text drawn over the game, a line per entry after the title; each names its actions' keys,
// in the game's own words while they are the default ones, and what a pad and a touch screen
// have for them (a line without words there is left out there).
struct HelpLine {
    const char* label;
    std::vector<Action> actions;
    const char* defaultWords;
    const char* after;
    const char* pad;
    const char* touch;
};

constexpr const char* kHelpTitle = "CONTROLS:";
// Every line but the last ends with a blank before its line feed.
constexpr const char* kHelpLineBreak = " \n";

const std::vector<HelpLine>& helpLines() {
    // clang-format off
    static const std::vector<HelpLine> lines = {
        {"Movement", {Action::Forward, Action::Left, Action::Back, Action::Right}, "WASD", " + Mouse",
         "Sticks", "Move + Drag"},
        {"Shoot", {Action::Fire}, "Left Click", "", "Right Trigger", "Fire"},
        {"Run", {Action::Run}, "Shift", "", "Left Stick Press", "Run"},
        {"Rewind", {Action::Rewind}, "Spacebar", "", "Left Trigger", "Rewind"},
        {"Quit", {Action::Quit}, "Escape", "", "", ""},
        {"Options", {Action::Options}, "Tab", "", "Start", "Pause"},
    };
    // clang-format on
    return lines;
}

// A key's label where the system can tell the player's layout, else its name; a mouse button by
// its name.
std::string shown(int key, std::string (*label)(int key)) {
    const std::string fromLayout = label && Keys::buttonOf(key) < 0 ? label(key) : "";
    return fromLayout.empty() ? Keys::name(key) : fromLayout;
}

std::string joined(const std::vector<std::string>& words, const char* separator) {
    std::string text;
    for (const std::string& word : words) text += (text.empty() ? "" : separator) + word;
    return text;
}

// Keys of one letter each run together, as "WASD" does; longer names are kept apart.
std::string helpWords(const HelpLine& line, const KeyMap& keys, std::string (*label)(int key)) {
    const KeyMap defaults = defaultKeys();
    std::vector<std::string> names;
    bool asDefault = true;
    bool allLetters = true;
    for (const Action action : line.actions) {
        asDefault = asDefault && keys[action] == defaults[action];
        names.push_back(shown(keys[action], label));
        allLetters = allLetters && names.back().size() == 1;
    }
    if (asDefault) return line.defaultWords;
    return joined(names, allLetters ? "" : "/");
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

std::string whyNotBindable(int key) {
    constexpr int kFullscreenKey = Platform::kKeyF1 + 10;
    if (key == kFullscreenKey)
        return Keys::name(key) + " switches between the window and fullscreen";
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
    // clang-format off
    static const std::vector<ShownControl> rows = {
        {"fly forward, left, back, right along the look direction",
         {Action::Forward, Action::Left, Action::Back, Action::Right}, nullptr, "", "left stick",
         "Move stick"},
        {"look around", {}, "Mouse", "", "right stick", "drag on the game"},
        {"run (twice the speed)", {Action::Run}, nullptr, "", "left stick press or a shoulder button",
         "Run"},
        {"shoot", {Action::Fire}, nullptr, "", "right trigger", "Fire"},
        {"rewind time", {Action::Rewind}, nullptr, " (hold)", "left trigger, held", "Rewind, held"},
        {"quit (in a page: pause)", {Action::Quit}, nullptr, "", "-", "Pause"},
        {"the options, the game waiting", {Action::Options}, nullptr, "", "Start",
         "Pause, then Options"},
        {"switch between the window and fullscreen", {}, "F11, Alt+Enter", "", "-", "the first touch"},
        {"restart: the wall laid again, the rewind's history emptied", {Action::Restart}, nullptr, "",
         "Back", "Restart"},
        {"pause the bricks (the camera still flies); in a replay, hold it", {Action::Pause}, nullptr,
         "", "Y", "Freeze"},
        {"one step of 1/60 s while paused; in a held replay a frame (with Run: back)",
         {Action::Step}, nullptr, "", "X", "-"},
        {"the bricks slower, faster: 1/4, 1/2 or full speed; in a replay, 10 s back, on",
         {Action::Slower, Action::Faster}, nullptr, "", "d-pad down, up", "-"},
        {"statistics: frame and step times, bricks awake and asleep, rewind left", {Action::Stats},
         nullptr, "", "d-pad left", "-"},
        {"the collision boxes, awake and asleep in two colours", {Action::Boxes}, nullptr, "",
         "d-pad right", "-"},
    };
    // clang-format on
    return rows;
}

std::string keyboardWords(const ShownControl& row, const KeyMap& keys) {
    if (row.actions.empty()) return row.fixedKeys;
    std::vector<std::string> names;
    for (const Action action : row.actions) names.push_back(Keys::name(keys[action]));
    return joined(names, ", ") + row.keysNote;
}

std::string helpText(const KeyMap& keys, Device device, std::string (*label)(int key)) {
    std::string text = kHelpTitle;
    for (const HelpLine& line : helpLines()) {
        const char* words = device == Device::Pad ? line.pad : line.touch;
        if (device != Device::Keyboard && *words == '\0') continue;
        text += kHelpLineBreak + std::string(line.label) + "-" +
                (device == Device::Keyboard ? helpWords(line, keys, label) + line.after : words);
    }
    return text;
}

std::string asMarkdown() {
    std::string table =
        "| Action | Keyboard and mouse | Pad | Touch (in a page) |\n|---|---|---|---|\n";
    for (const ShownControl& row : shownControls()) {
        table += std::string("| ") + row.what + " | " + keyboardWords(row, defaultKeys()) + " | " +
                 row.pad + " | " + row.touch + " |\n";
    }
    return table;
}

// The rewind's row for a player who toggles it: no control is held.
const ShownControl& toggledRewindRow() {
    static const ShownControl toggled = [] {
        const auto& rows = shownControls();
        ShownControl row = *std::find_if(rows.begin(), rows.end(), [](const ShownControl& r) {
            return r.actions == std::vector<Action>{Action::Rewind};
        });
        row.keysNote = " (press to start, again to stop)";
        row.pad = "left trigger, pressed to start, again to stop";
        row.touch = "Rewind, tapped to start, again to stop";
        return row;
    }();
    return toggled;
}

std::string asJson(const KeyMap& keys, bool rewindToggles) {
    std::string json = "[";
    for (const ShownControl& shownRow : shownControls()) {
        const bool toggledRewind =
            rewindToggles && shownRow.actions == std::vector<Action>{Action::Rewind};
        const ShownControl& row = toggledRewind ? toggledRewindRow() : shownRow;
        json += (json.size() > 1 ? ", " : "") + std::string("{\"action\": ") +
                jsonString(row.what) +
                ", \"keyboardAndMouse\": " + jsonString(keyboardWords(row, keys)) +
                ", \"pad\": " + jsonString(row.pad) + ", \"touch\": " + jsonString(row.touch) + "}";
    }
    return json + "]";
}

}  // namespace Controls
