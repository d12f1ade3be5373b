#pragma once

#include <string>

// The game's command line: no options plays the game; --help and --version print and exit;
// --record, --replay and --dump-bricks name files.
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
};

Parsed parse(int argc, const char* const* argv);
// The usage text: synopsis, controls, options, where media is looked for.
std::string usage();
// "kelvarin X.Y.Z".
std::string versionLine();

}  // namespace CommandLine
