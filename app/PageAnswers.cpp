#include "app/PageAnswers.h"

#include <iterator>
#include <string>

#include "app/GameRun.h"
#include "app/OptionsMenu.h"
#include "app/ReplayControl.h"
#include "app/Session.h"
#include "app/Settings.h"
#include "app/SettingsTable.h"
#include "core/Json.h"
#include "input/Controls.h"
#include "input/Keys.h"
#include "input/LookSettings.h"
#include "platform/KeyboardCodes.h"
#include "scene/SceneLayout.h"

namespace {

struct Served {
    GameRun* run = nullptr;
    Session* session = nullptr;
};
Served served;

}  // namespace

namespace PageAnswers {

void serve(GameRun& run, Session& session) {
    served = {&run, &session};
}

}  // namespace PageAnswers

// The page saves the recording on demand: everything written so far must be in the file.
extern "C" void kelvarinFlushRecording() {
    served.session->flush();
}

namespace {

// The buttons of a set of Platform::PadButton bits, by their index there: "[7]".
std::string buttonList(unsigned buttons) {
    std::string json = "[";
    for (int button = 0; button < Platform::Gamepad::kButtons; ++button) {
        if (!(buttons >> button & 1u)) continue;
        json += (json.size() > 1 ? ", " : "") + std::to_string(button);
    }
    return json + "]";
}

// The pad's buttons the page works itself, by their index in Platform::PadButton: the options'
// action, and the keys the options' dialog takes from a pad: {"options": [7], "menu": [{"button":
// 11, "key": "Up"}, ...]}.
std::string padButtons() {
    std::string json =
        "{\"options\": " + buttonList(Controls::of(Action::Options).pad.buttons) + ", \"menu\": [";
    for (const OptionsMenu::PadKey& padKey : OptionsMenu::kPadKeys) {
        json += std::string(json.back() == '[' ? "" : ", ") +
                "{\"button\": " + std::to_string(static_cast<int>(padKey.button)) +
                ", \"key\": " + jsonString(Keys::name(padKey.key)) + "}";
    }
    return json + "]}";
}

std::string bounds(double min, double max, double step) {
    return ", \"min\": " + jsonNumber(min) + ", \"max\": " + jsonNumber(max) +
           ", \"step\": " + jsonNumber(step);
}

// What a setting of the dialog may be, where the page's field needs its bounds.
std::string rangeOf(const std::string& key) {
    if (key == "music_volume")
        return bounds(0, Settings::kMaxMusicVolume, Settings::kMusicVolumeStep);
    if (key == "field_of_view") {
        return bounds(LookSettings::kMinFieldOfView, LookSettings::kMaxFieldOfView,
                      Settings::kFieldOfViewStep);
    }
    if (key == "text_size") {
        const auto sizes = std::size(Settings::kTextSizes);
        return bounds(Settings::kTextSizes[0], Settings::kTextSizes[sizes - 1],
                      Settings::kTextSizes[1] - Settings::kTextSizes[0]);
    }
    if (key == "scene") {
        std::string choices;
        SceneLayout::Choice choice;
        do {
            choices += (choices.empty() ? "" : ", ") + jsonString(SceneLayout::nameOf(choice));
            choice = SceneLayout::stepped(choice, 1);
        } while (choice != SceneLayout::Choice{});
        return ", \"choices\": [" + choices + "]";
    }
    if (key != "sensitivity" && key != "pad_look_speed") return "";
    return bounds(0, LookSettings::kMaxSensitivity, LookSettings::kSensitivityStep);
}

}  // namespace

// The page lists the controls from the table the usage text is made of, with the player's keys,
// and works the pad buttons the game gives it.
extern "C" const char* kelvarinControls() {
    static std::string json;
    const Settings::Values& played = served.run->settingsPlayed();
    json = std::string("{\"sensitivityRange\": ") + jsonString(LookSettings::kSensitivityRange) +
           ", \"controls\": " + Controls::asJson(played.keys, played.rewindToggles) +
           ", \"pad\": " + padButtons() + "}";
    return json.c_str();
}

// The pad control an action is played with (the touch controls play through it), by the
// indices of Platform.h: {"axis": 5, "direction": 1, "buttons": []}; an empty object for an
// unknown action.
extern "C" const char* kelvarinPadControl(const char* actionName) {
    static std::string json;
    Action action = Action::Count;
    if (!Controls::named(actionName, action)) return "{}";
    const Controls::PadControl& pad = Controls::of(action).pad;
    const bool hasAxis = pad.axis != Platform::PadAxis::Count;
    json = "{\"axis\": " + std::to_string(hasAxis ? static_cast<int>(pad.axis) : -1) +
           ", \"direction\": " + std::to_string(pad.direction) +
           ", \"buttons\": " + buttonList(pad.buttons) + "}";
    return json.c_str();
}

// A switch's word as the settings file takes it: 1 for on, 0 for off, -1 for no such word. The
// page asks before the game starts, of its address.
extern "C" int kelvarinReadSwitch(const char* word) {
    bool on = false;
    return Settings::readSwitch(word, on) ? (on ? 1 : 0) : -1;
}

// The page's options dialog shows the settings played, as the settings file writes them, with
// their bounds where a field needs them, each key with its action's title and its place on the
// keyboard: {"music_volume": {"value": "100", "min": 0, "max": 100, "step": 10}, "key.forward":
// {"value": "W", "title": "Forward", "code": "KeyW"}, ...}.
extern "C" const char* kelvarinOptions() {
    static std::string json;
    json = "{";
    for (const auto& [key, value] : Settings::written(served.run->settingsPlayed())) {
        json += (json.size() > 1 ? ", " : "") + jsonString(key) +
                ": {\"value\": " + jsonString(value) + rangeOf(key);
        Action action = Action::Count;
        const std::string prefix = Settings::kKeyPrefix;
        if (key.rfind(prefix, 0) == 0 && Controls::named(key.substr(prefix.size()), action)) {
            json += ", \"title\": " + jsonString(Controls::of(action).title);
            int code = 0;
            if (Keys::fromName(value, code)) {
                json += ", \"code\": " + jsonString(Platform::codeOfKey(code));
            }
        }
        json += "}";
    }
    json += "}";
    return json.c_str();
}

// The dialog changes a setting as the file would: the problem, or empty when it is played and
// kept from now on.
extern "C" const char* kelvarinSetOption(const char* key, const char* value) {
    static std::string problem;
    Settings::Values values = served.run->settingsPlayed();
    problem = Settings::set(values, key, value);
    if (problem.empty()) served.run->changeSettings(values);
    return problem.c_str();
}

// Whether the testbed holds the bricks still, for the touch controls' Freeze and the status.
extern "C" int kelvarinBricksFrozen() {
    return served.run->isSimulationPaused() ? 1 : 0;
}

// Where a replay stands, for the page's timeline: {"frame": 120, "last": 600, "held": false};
// frame 0 before the first.
extern "C" const char* kelvarinReplayPosition() {
    static std::string json;
    json = "{\"frame\": " + std::to_string(served.run->framesRun()) +
           ", \"last\": " + std::to_string(served.session->replayLength()) +
           ", \"held\": " + (served.run->replay().isHeld() ? "true" : "false") + "}";
    return json.c_str();
}

// The page's timeline seeks and holds the replay or lets it go on.
extern "C" void kelvarinSeekReplay(int frame) {
    served.run->seekReplay(frame);
}

extern "C" void kelvarinHoldReplay(int held) {
    served.run->replay().hold(held != 0);
}

// The name the settings file gives the key in a browser's place (KeyboardEvent.code); empty for
// a key the game has none for.
extern "C" const char* kelvarinKeyName(const char* code) {
    static std::string name;
    const int key = Platform::keyAtCode(code);
    name = key < 0 ? "" : Keys::name(key);
    return name.c_str();
}
