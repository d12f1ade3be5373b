#include "app/SettingsTable.h"

#include <algorithm>
#include <iterator>
#include <sstream>

#include "core/Numbers.h"
#include "input/Keys.h"

namespace Settings {
namespace {

constexpr const char* kSwitchTakes = "true or false";
const std::string kVolumeTakes = "a whole number from 0 to " + std::to_string(kMaxMusicVolume);
constexpr const char* kKeyTakes =
    "the name of a key or mouse button, such as W, Space, Left Shift, F5 or Right click";
const std::string kFieldOfViewTakes = "a whole number of degrees from " +
                                      std::to_string(LookSettings::kMinFieldOfView) + " to " +
                                      std::to_string(LookSettings::kMaxFieldOfView);
constexpr int kMaxTextSize = *(std::end(kTextSizes) - 1);
const std::string kTextSizeTakes = std::to_string(kTextSizes[0]) + ", " +
                                   std::to_string(kTextSizes[1]) + " or " +
                                   std::to_string(kMaxTextSize) + " (percent)";
constexpr const char* kHeld = "hold";
constexpr const char* kToggled = "toggle";
// The first of each is what the game writes.
constexpr const char* kTrueWords[] = {"true", "yes", "on", "1"};
constexpr const char* kFalseWords[] = {"false", "no", "off", "0"};

bool isOneOf(const std::string& word, const char* const (&words)[4]) {
    for (const char* w : words) {
        if (word == w) return true;
    }
    return false;
}

}  // namespace

bool readSwitch(const std::string& word, bool& value) {
    if (!isOneOf(word, kTrueWords) && !isOneOf(word, kFalseWords)) return false;
    value = isOneOf(word, kTrueWords);
    return true;
}

namespace {

const char* switchText(bool on) {
    return on ? kTrueWords[0] : kFalseWords[0];
}

// A field of the values, read through the accessor that can also change it.
template <typename Field>
const Field& of(Field& (*field)(Values&), const Values& values) {
    return field(const_cast<Values&>(values));
}

template <typename Field>
std::function<void(const Values&, Values&)> copier(Field& (*field)(Values&)) {
    return [field](const Values& from, Values& to) { field(to) = of(field, from); };
}

Setting switchSetting(const char* key, bool& (*field)(Values&)) {
    return {key, kSwitchTakes,
            [key, field](const std::string& value, Values& values) {
                return readSwitch(value, field(values)) ? ""
                                                        : std::string(key) + " is " + kSwitchTakes;
            },
            [field](const Values& values) { return std::string(switchText(of(field, values))); },
            copier(field)};
}

Setting factorSetting(const char* key, float& (*field)(Values&)) {
    return {key, LookSettings::kSensitivityRange,
            [key, field](const std::string& value, Values& values) {
                return readSensitivity(value, field(values))
                           ? ""
                           : std::string(key) + " is " + LookSettings::kSensitivityRange;
            },
            [field](const Values& values) {
                std::ostringstream text;
                text << of(field, values);
                return text.str();
            },
            copier(field)};
}

Setting keySetting(const Controls::ActionControl& control) {
    const std::string key = kKeyPrefix + std::string(control.name);
    const Action action = control.action;
    return {
        key, kKeyTakes,
        [key, action](const std::string& value, Values& values) -> std::string {
            // Whether another action has the key is known once every line is read: see
            // takeKeysApart.
            int code = 0;
            if (!Keys::fromName(value, code)) return key + " is " + kKeyTakes;
            const std::string refused = Controls::whyNotBindable(code);
            if (!refused.empty()) return key + ": " + refused;
            values.keys[action] = code;
            return "";
        },
        [action](const Values& values) { return Keys::name(values.keys[action]); },
        // Keys change places together: copied one by one, each is kept whatever the other holds.
        [action](const Values& from, Values& to) { to.keys[action] = from.keys[action]; }};
}

}  // namespace

const std::vector<Setting>& table() {
    static const std::vector<Setting> rows = [] {
        std::vector<Setting> all = {
            switchSetting("fullscreen", [](Values& v) -> bool& { return v.fullscreen; }),
            factorSetting("sensitivity", [](Values& v) -> float& { return v.look.sensitivity; }),
            switchSetting("invert_y", [](Values& v) -> bool& { return v.look.invertY; }),
            factorSetting("pad_look_speed", [](Values& v) -> float& { return v.padLookSpeed; }),
            {"music_volume", kVolumeTakes,
             [](const std::string& value, Values& values) {
                 return Numbers::read(value, Numbers::Bounds::within(0, kMaxMusicVolume),
                                      values.musicVolume)
                            ? ""
                            : "music_volume is " + kVolumeTakes;
             },
             [](const Values& values) { return std::to_string(values.musicVolume); },
             copier<int>([](Values& v) -> int& { return v.musicVolume; })},
            {"rewind", std::string(kHeld) + " or " + kToggled,
             [](const std::string& value, Values& values) -> std::string {
                 if (value != kHeld && value != kToggled) {
                     return std::string("rewind is ") + kHeld + " or " + kToggled;
                 }
                 values.rewindToggles = value == kToggled;
                 return "";
             },
             [](const Values& values) {
                 return std::string(values.rewindToggles ? kToggled : kHeld);
             },
             copier<bool>([](Values& v) -> bool& { return v.rewindToggles; })},
            {"field_of_view", kFieldOfViewTakes,
             [](const std::string& value, Values& values) {
                 return readFieldOfView(value, values.look.fieldOfView)
                            ? ""
                            : "field_of_view is " + kFieldOfViewTakes;
             },
             [](const Values& values) { return std::to_string(values.look.fieldOfView); },
             copier<int>([](Values& v) -> int& { return v.look.fieldOfView; })},
            {"text_size", kTextSizeTakes,
             [](const std::string& value, Values& values) {
                 int size = 0;
                 const bool known =
                     Numbers::read(value, Numbers::Bounds::within(0, kMaxTextSize), size) &&
                     std::find(std::begin(kTextSizes), std::end(kTextSizes), size) !=
                         std::end(kTextSizes);
                 if (!known) return "text_size is " + kTextSizeTakes;
                 values.textSize = size;
                 return std::string();
             },
             [](const Values& values) { return std::to_string(values.textSize); },
             copier<int>([](Values& v) -> int& { return v.textSize; })},
            switchSetting("rewind_mark", [](Values& v) -> bool& { return v.rewindMark; }),
            switchSetting("crosshair", [](Values& v) -> bool& { return v.crosshair; }),
            {"scene", SceneLayout::described(),
             [](const std::string& value, Values& values) {
                 std::string why;
                 return SceneLayout::read(value, values.scene, why) ? "" : "scene: " + why;
             },
             [](const Values& values) { return SceneLayout::nameOf(values.scene); },
             [](const Values& from, Values& to) { to.scene = from.scene; }},
        };
        for (const Controls::ActionControl& control : Controls::all()) {
            all.push_back(keySetting(control));
        }
        return all;
    }();
    return rows;
}

std::vector<std::pair<std::string, std::string>> described() {
    const Values defaults;
    std::vector<std::pair<std::string, std::string>> rows;
    std::string keyDefaults;
    for (const Setting& setting : table()) {
        const std::string byDefault = setting.write(defaults);
        if (setting.key.rfind(kKeyPrefix, 0) != 0) {
            rows.emplace_back(setting.key, setting.takes + " (" + byDefault + ")");
            continue;
        }
        keyDefaults += (keyDefaults.empty() ? "" : ", ") +
                       setting.key.substr(std::string(kKeyPrefix).size()) + " " + byDefault;
    }
    rows.emplace_back(
        std::string(kKeyPrefix) + "ACTION",
        std::string(kKeyTakes) + "; ACTION as in recordings, by default " + keyDefaults);
    return rows;
}

const Setting* find(const std::string& key) {
    for (const Setting& setting : table()) {
        if (setting.key == key) return &setting;
    }
    return nullptr;
}

}  // namespace Settings
