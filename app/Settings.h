#pragma once

#include <istream>
#include <string>
#include <utility>
#include <vector>

#include "input/Controls.h"
#include "input/LookSettings.h"
#include "scene/SceneLayout.h"

// The player's settings file: plain "key = value" lines, '#' starting a comment. Command-line
// options win over it. It never stops the game: a missing file says nothing, and an unreadable
// file, an unknown key or a bad value gives one line "FILE:LINE: problem" and leaves that key at
// its default. When an option changes in the game, the file is written again, with the player's
// comments and the lines the game does not know kept as they stand.
//
// Bounds: only regular files are read (a FIFO or a device would never end), at most kMaxFileBytes
// of them, lines of at most kMaxLineBytes, and at most kMaxProblemsNamed problems are named, the
// rest counted in one more line.
namespace Settings {

constexpr std::size_t kMaxFileBytes = 64 * 1024;
constexpr std::size_t kMaxLineBytes = 1024;
constexpr int kMaxProblemsNamed = 10;
constexpr int kMaxMusicVolume = 100;
// The options change the volume by this much a step.
constexpr int kMusicVolumeStep = 10;
// The overlays' text, in percent of the size the game draws it at.
constexpr int kTextSizes[] = {100, 150, 200};
// The options change the field of view by this many degrees a step.
constexpr int kFieldOfViewStep = 5;
// Before an action's name: the key it is played with.
constexpr const char* kKeyPrefix = "key.";

struct Values {
    bool fullscreen = false;
    LookSettings look;
    // A factor on the pad's turn, as sensitivity is on the mouse's.
    float padLookSpeed = 1.0f;
    // Percent: 0 is silent.
    int musicVolume = kMaxMusicVolume;
    // One press starts a rewind, the next stops it, instead of holding the key.
    bool rewindToggles = false;
    // Percent, one of kTextSizes.
    int textSize = kTextSizes[0];
    // A mark says that a rewind runs and when its history has run out, for those who do not hear
    // the music play backwards.
    bool rewindMark = true;
    // A small cross at the centre of the view, where a shot, a grab or a blast aims.
    bool crosshair = true;
    SceneLayout::Choice scene;
    Controls::KeyMap keys = Controls::defaultKeys();

    bool operator==(const Values& that) const;
    bool operator!=(const Values& that) const { return !(*this == that); }
};

struct Read {
    Values values;
    // Each a line "NAME:LINE: problem", in the order met, text from the file shown escaped.
    std::vector<std::string> problems;
};

// name labels the problems (the file's path).
Read parse(std::istream& in, const std::string& name);
// A missing file (or an empty path: no settings file on this system, see
// Platform::settingsFilePath) reads as the defaults, without a problem.
Read readFile(const std::string& path);

// Each setting as the file writes it, in the file's order: {"music_volume", "100"}, {"key.FORWARD",
// "W"}.
std::vector<std::pair<std::string, std::string>> written(const Values& values);
// Sets one setting from its text as the file has it: the problem, or empty when set. A key another
// action has changes places with this action's, as in the options.
std::string set(Values& values, const std::string& key, const std::string& value);

// The file's text with the settings that changed from before to after: each line of a changed key
// takes its new value, a changed key without a line gets one at the end, and every other line
// stays as it stands.
std::string rewrite(const std::string& text, const Values& before, const Values& after);
// What the file holds once the settings that changed from before to after are written into it.
Values carried(Values inFile, const Values& before, const Values& after);
// Writes the settings that changed into the file at path, replacing it only with a whole new one.
// False, with why, when it cannot (the folder cannot be written, the file is longer than the game
// reads).
bool save(const std::string& path, const Values& before, const Values& after, std::string& why);

}  // namespace Settings
