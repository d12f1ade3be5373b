#include "app/OptionsMenu.h"

#include <algorithm>
#include <iterator>
#include <sstream>

#include "input/Keys.h"

namespace {

// The look's factors a press steps through; a value from the file between them steps to the
// next one either way.
constexpr float kFactors[] = {LookSettings::kSensitivityStep,
                              0.5f,
                              0.75f,
                              1.0f,
                              1.25f,
                              1.5f,
                              2.0f,
                              2.5f,
                              3.0f,
                              4.0f,
                              5.0f,
                              7.5f,
                              10.0f};
constexpr const char* kTitle = "OPTIONS (Escape closes, a right click lowers)";
constexpr const char* kWaitingForKey = "press a key or click";
constexpr const char* kKeyLine = "Key: ";
constexpr const char* kCloseLine = "Close";
// The values stand in a column of their own.
constexpr std::size_t kValueColumn = 20;
constexpr const char* kChosenMark = "> ";
constexpr const char* kUnchosenMark = "  ";

float stepped(float value, int direction) {
    if (direction > 0) {
        const float* next = std::upper_bound(std::begin(kFactors), std::end(kFactors), value);
        return next == std::end(kFactors) ? value : *next;
    }
    const float* next = std::lower_bound(std::begin(kFactors), std::end(kFactors), value);
    return next == std::begin(kFactors) ? value : *(next - 1);
}

// The next text size either way, staying at the ends.
int steppedTextSize(int size, int direction) {
    const int* at =
        std::find(std::begin(Settings::kTextSizes), std::end(Settings::kTextSizes), size);
    const int index = static_cast<int>(at - std::begin(Settings::kTextSizes)) + direction;
    const int last = static_cast<int>(std::size(Settings::kTextSizes)) - 1;
    return Settings::kTextSizes[std::clamp(index, 0, last)];
}

std::string factorText(float value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

bool wentDown(const Platform::Gamepad& now, const Platform::Gamepad& before,
              Platform::PadButton button) {
    return now.wasDown(button) && !before.isDown(button);
}

}  // namespace

void OptionsMenu::open(const Settings::Values& values) {
    opened = true;
    current = values;
    chosen = 0;
    firstShown = 0;
    pointed = -1;
    waitingForKey = false;
    refusal.clear();
    const struct {
        Kind kind;
        const char* name;
    } settingLines[] = {{Kind::Volume, "Music volume"},
                        {Kind::Sensitivity, "Mouse sensitivity"},
                        {Kind::PadSpeed, "Pad look speed"},
                        {Kind::InvertY, "Invert Y"},
                        {Kind::FieldOfView, "Field of view"},
                        {Kind::TextSize, "Text size"},
                        {Kind::Rewind, "Rewind"},
                        {Kind::RewindMark, "Rewind mark"},
                        {Kind::Crosshair, "Crosshair"},
                        {Kind::Scene, "Scene at next start"},
                        {Kind::Fullscreen, "Fullscreen"}};
    lines.clear();
    for (const auto& line : settingLines) lines.push_back({line.kind, Action::Count, line.name});
    for (const Controls::ActionControl& control : Controls::all()) {
        lines.push_back({Kind::Key, control.action, std::string(kKeyLine) + control.title});
    }
    lines.push_back({Kind::Close, Action::Count, kCloseLine});
}

OptionsMenu::Outcome OptionsMenu::press(int key, bool repeat) {
    const bool moves = key == Platform::kKeyUp || key == Platform::kKeyDown ||
                       key == Platform::kKeyLeft || key == Platform::kKeyRight;
    if (repeat && !moves) return Outcome::Nothing;
    refusal.clear();
    if (waitingForKey) {
        waitingForKey = false;
        return key == Platform::kKeyEsc ? Outcome::Nothing : bind(key);
    }
    const int count = static_cast<int>(lines.size());
    switch (key) {
        case Platform::kKeyUp:
            chosen = (chosen + count - 1) % count;
            keepChosenShown();
            return Outcome::Nothing;
        case Platform::kKeyDown:
            chosen = (chosen + 1) % count;
            keepChosenShown();
            return Outcome::Nothing;
        case Platform::kKeyLeft:
            return change(-1);
        case Platform::kKeyRight:
            return change(1);
        case Platform::kKeyEnter:
        case Platform::kKeyKpEnter:
            return activate();
        default:
            break;
    }
    if (key != Platform::kKeyEsc && key != current.keys[Action::Options]) return Outcome::Nothing;
    opened = false;
    return Outcome::Closed;
}

const std::array<OptionsMenu::PadKey, 7> OptionsMenu::kPadKeys = {{
    {Platform::PadButton::DpadUp, Platform::kKeyUp},
    {Platform::PadButton::DpadDown, Platform::kKeyDown},
    {Platform::PadButton::DpadLeft, Platform::kKeyLeft},
    {Platform::PadButton::DpadRight, Platform::kKeyRight},
    {Platform::PadButton::A, Platform::kKeyEnter},
    {Platform::PadButton::B, Platform::kKeyEsc},
    {Platform::PadButton::Start, Platform::kKeyEsc},
}};

OptionsMenu::Outcome OptionsMenu::pad(const Platform::Gamepad& now) {
    const Platform::Gamepad before = padBefore;
    padBefore = now;
    Outcome outcome = Outcome::Nothing;
    for (const PadKey& padKey : kPadKeys) {
        if (opened && outcome != Outcome::Closed && wentDown(now, before, padKey.button)) {
            const Outcome pressed = press(padKey.key);
            if (pressed != Outcome::Nothing) outcome = pressed;
        }
    }
    return outcome;
}

int OptionsMenu::lineAt(int x, int y) const {
    // The row-th line shown has its cells from titleY - (row + 1) * kLineStep up by kSize; the
    // gap below a line is its own.
    const int fromTop = placedTitleY - kLineStep + kSize - y;
    const int row = fromTop / kLineStep;
    const bool onLines = x >= placedX && fromTop >= 0 && row < linesShown();
    return onLines ? firstShown + row : -1;
}

int OptionsMenu::linesShown() const {
    const int count = static_cast<int>(lines.size());
    return fitting > 1 ? std::min(count - firstShown, fitting - 1) : count - firstShown;
}

void OptionsMenu::place(int x, int titleY, int fittingLines) {
    placedX = x;
    placedTitleY = titleY;
    fitting = fittingLines;
    keepChosenShown();
}

void OptionsMenu::keepChosenShown() {
    const int count = static_cast<int>(lines.size());
    const int shown = fitting > 1 ? std::min(count, fitting - 1) : count;
    firstShown =
        std::clamp(firstShown, std::max(0, chosen - shown + 1), std::min(chosen, count - shown));
}

void OptionsMenu::pointerAt(int x, int y) {
    pointed = lineAt(x, y);
}

void OptionsMenu::point(int x, int y) {
    pointerAt(x, y);
    if (pointed >= 0) chosen = pointed;
}

OptionsMenu::Outcome OptionsMenu::click(int button) {
    refusal.clear();
    if (waitingForKey) {
        waitingForKey = false;
        return bind(Keys::mouseButton(button));
    }
    if (pointed < 0) return Outcome::Nothing;
    chosen = pointed;
    if (button == Platform::kMouseButtonRight) return change(-1);
    if (button != Platform::kMouseButtonLeft) return Outcome::Nothing;
    return lines[chosen].kind == Kind::Key || lines[chosen].kind == Kind::Close ? activate()
                                                                                : change(1);
}

OptionsMenu::Outcome OptionsMenu::change(int direction) {
    switch (lines[chosen].kind) {
        case Kind::Volume:
            current.musicVolume =
                std::clamp(current.musicVolume + direction * Settings::kMusicVolumeStep, 0,
                           Settings::kMaxMusicVolume);
            return Outcome::Changed;
        case Kind::Sensitivity:
            current.look.sensitivity = stepped(current.look.sensitivity, direction);
            return Outcome::Changed;
        case Kind::PadSpeed:
            current.padLookSpeed = stepped(current.padLookSpeed, direction);
            return Outcome::Changed;
        case Kind::FieldOfView:
            current.look.fieldOfView =
                std::clamp(current.look.fieldOfView + direction * Settings::kFieldOfViewStep,
                           LookSettings::kMinFieldOfView, LookSettings::kMaxFieldOfView);
            return Outcome::Changed;
        case Kind::TextSize:
            current.textSize = steppedTextSize(current.textSize, direction);
            return Outcome::Changed;
        case Kind::Scene:
            current.scene = SceneLayout::stepped(current.scene, direction);
            return Outcome::Changed;
        case Kind::InvertY:
        case Kind::Rewind:
        case Kind::RewindMark:
        case Kind::Crosshair:
        case Kind::Fullscreen:
            return activate();
        case Kind::Key:
        case Kind::Close:
            return Outcome::Nothing;
    }
    return Outcome::Nothing;
}

OptionsMenu::Outcome OptionsMenu::activate() {
    switch (lines[chosen].kind) {
        case Kind::InvertY:
            current.look.invertY = !current.look.invertY;
            return Outcome::Changed;
        case Kind::Rewind:
            current.rewindToggles = !current.rewindToggles;
            return Outcome::Changed;
        case Kind::RewindMark:
            current.rewindMark = !current.rewindMark;
            return Outcome::Changed;
        case Kind::Crosshair:
            current.crosshair = !current.crosshair;
            return Outcome::Changed;
        case Kind::Fullscreen:
            current.fullscreen = !current.fullscreen;
            return Outcome::Changed;
        case Kind::Key:
            waitingForKey = true;
            return Outcome::Nothing;
        case Kind::Close:
            opened = false;
            return Outcome::Closed;
        default:
            return change(1);
    }
}

OptionsMenu::Outcome OptionsMenu::bind(int key) {
    refusal = Controls::whyNotBindable(key);
    if (!refusal.empty()) return Outcome::Nothing;
    current.keys.give(key, lines[chosen].action);
    return Outcome::Changed;
}

std::string OptionsMenu::valueText(const Line& line, std::string (*label)(int key)) const {
    switch (line.kind) {
        case Kind::Volume:
            return std::to_string(current.musicVolume) + " %";
        case Kind::Sensitivity:
            return factorText(current.look.sensitivity);
        case Kind::PadSpeed:
            return factorText(current.padLookSpeed);
        case Kind::InvertY:
            return current.look.invertY ? "on" : "off";
        case Kind::FieldOfView:
            return std::to_string(current.look.fieldOfView) + " degrees";
        case Kind::TextSize:
            return std::to_string(current.textSize) + " %";
        case Kind::Rewind:
            return current.rewindToggles ? "toggle" : "hold";
        case Kind::RewindMark:
            return current.rewindMark ? "on" : "off";
        case Kind::Crosshair:
            return current.crosshair ? "on" : "off";
        case Kind::Scene:
            return SceneLayout::nameOf(current.scene);
        case Kind::Fullscreen:
            return current.fullscreen ? "on" : "off";
        case Kind::Key: {
            if (waitingForKey && &line == &lines[chosen]) return kWaitingForKey;
            const int key = current.keys[line.action];
            const std::string onLayout = label && Keys::buttonOf(key) < 0 ? label(key) : "";
            return onLayout.empty() ? Keys::name(key) : onLayout;
        }
        case Kind::Close:
            return "";
    }
    return "";
}

std::string OptionsMenu::text(std::string (*label)(int key)) const {
    return textOf(label, firstShown, linesShown());
}

std::string OptionsMenu::wholeText(std::string (*label)(int key)) const {
    return textOf(label, 0, static_cast<int>(lines.size()));
}

std::string OptionsMenu::textOf(std::string (*label)(int key), int first, int count) const {
    std::string out = kTitle;
    for (int i = first; i < first + count; ++i) {
        const Line& line = lines[i];
        std::string name = line.name;
        name.resize(std::max(name.size() + 1, kValueColumn), ' ');
        out += "\n" + std::string(i == chosen ? kChosenMark : kUnchosenMark) + name +
               valueText(line, label);
    }
    if (!refusal.empty()) out += "\n" + refusal + ": not bound";
    return out;
}
