#pragma once

#include <string_view>

// How the mouse turns the view: a factor on the game's own turn rate, and whether moving the mouse
// forward looks down instead of up. A recording carries them: the simulation depends on them.
struct LookSettings {
    // The game's own turn rate, at sensitivity 1: degrees per pixel of cursor motion.
    static constexpr double kDegreesPerPixel = 0.04;
    static constexpr float kMaxSensitivity = 10.0f;
    // What a sensitivity may be, as the settings file, the command line, the page and the usage
    // text say it.
    static constexpr const char* kSensitivityRange = "a number above 0, up to 10";
    // The finest step the options take a look speed by.
    static constexpr float kSensitivityStep = 0.25f;

    float sensitivity = 1.0f;
    bool invertY = false;

    bool operator==(const LookSettings& that) const {
        return sensitivity == that.sensitivity && invertY == that.invertY;
    }
};

// A sensitivity as the settings file, the command line and recordings give it: a number above 0,
// as a float too, and up to kMaxSensitivity. False, leaving value alone, for anything else.
bool readSensitivity(std::string_view word, float& value);
