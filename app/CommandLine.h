#pragma once

#include <string>

#include "app/Settings.h"

// The game's command line: no options plays the game; --help and --version print and exit;
// --record, --replay and --dump-bricks name files; --fullscreen, --sensitivity and --invert-y
// set what the settings file sets, and win over it.
namespace CommandLine {

enum class Action { Play, ShowHelp, ShowVersion, Refuse };

struct Parsed {
    Action action = Action::Play;
    // For Refuse: one line saying what was wrong.
    std::string error;
    // Empty when not given.
    std::string recordPath;
    std::string replayPath;
    std::string dumpBricksPath;
    bool fullscreen = false;
    bool invertY = false;
    // 0 when not given.
    float sensitivity = 0.0f;
};

Parsed parse(int argc, const char* const* argv);
// The settings to play with: those of the file, with what the options give in their place.
Settings::Values withOptions(Settings::Values fromFile, const Parsed& options);
// The usage text: synopsis, controls, options, the settings file, where media is looked for.
std::string usage();
// "kelvarin X.Y.Z".
std::string versionLine();

}  // namespace CommandLine
