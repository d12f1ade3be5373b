#pragma once

#include <string_view>

// How the player looks: a factor on the mouse's turn rate, whether moving the mouse forward looks
// down instead of up, and how wide the view is. A recording carries them: the simulation depends
// on the turn, and a replay shows what the player saw.
struct LookSettings {
    // The game's own turn rate, at sensitivity 1: degrees per pixel of cursor motion.
    static constexpr double kDegreesPerPixel = 0.04;
    static constexpr float kMaxSensitivity = 10.0f;
    // What a sensitivity may be, as the settings file, the command line, the page and the usage
    // text say it.
    static constexpr const char* kSensitivityRange = "a number above 0, up to 10";
    // The finest step the options take a look speed by.
    static constexpr float kSensitivityStep = 0.25f;

    // The vertical field of view, in whole degrees.
    static constexpr int kDefaultFieldOfView = 60;
    static constexpr int kMinFieldOfView = 50;
    static constexpr int kMaxFieldOfView = 110;

    float sensitivity = 1.0f;
    bool invertY = false;
    int fieldOfView = kDefaultFieldOfView;

    bool operator==(const LookSettings& that) const {
        return sensitivity == that.sensitivity && invertY == that.invertY &&
               fieldOfView == that.fieldOfView;
    }
};

// A sensitivity as the settings file, the command line and recordings give it: a number above 0,
// as a float too, and up to kMaxSensitivity. False, leaving value alone, for anything else.
bool readSensitivity(std::string_view word, float& value);
// A field of view as the settings file and recordings give it: whole degrees within its bounds.
bool readFieldOfView(std::string_view word, int& degrees);
