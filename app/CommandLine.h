#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/Settings.h"

// The programs' command lines, read by one table-driven parser: each option is a name, what value
// it takes and what taking it does. --help (or -h) anywhere prints the usage and --version the
// version; an unknown option, a missing value or a bad one is refused with one line naming it.
namespace CommandLine {

enum class Action { Play, ShowHelp, ShowVersion, Refuse };

// One option: its name, the value it takes in words ("a file", "a number above 0, up to 10"),
// null for a switch, and what is done with it; take returns false to refuse the value.
struct Option {
    const char* name;
    const char* takes;
    std::function<bool(const std::string& value)> take;
};

struct Outcome {
    Action action = Action::Play;
    // For Refuse: one line, "PROGRAM: what was wrong (PROGRAM --help lists the options)".
    std::string error;
};

Outcome parse(const char* program, int argc, const char* const* argv,
              const std::vector<Option>& options);

// The game's own command line: no options plays the game; --record, --replay and --dump-bricks
// name files; --fullscreen, --sensitivity and --invert-y set what the settings file sets, and win
// over it.
struct Parsed {
    Action action = Action::Play;
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
