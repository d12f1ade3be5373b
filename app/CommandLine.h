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

// takeValue returns false to refuse the value.
using Taker = std::function<bool(const std::string& value)>;

struct Option {
    const char* name;
    // In the usage ("FILE") and in a refusal ("a file"); both null for a switch.
    const char* valueName;
    const char* takes;
    // The usage's words for it; a line feed starts a line of its own.
    std::string help;
    Taker take;
};

struct Outcome {
    Action action = Action::Play;
    // For Refuse: one line, "PROGRAM: what was wrong (PROGRAM --help lists the options)".
    std::string error;
};

Outcome parse(const char* program, int argc, const char* const* argv,
              const std::vector<Option>& options);
// The usage's lines for the options, --help and --version first.
std::string describe(const std::vector<Option>& options);
// Words in lines of the usage's width, each ending with a line feed.
std::string wrapped(const std::string& words);
Taker storeIn(std::string& to);
Taker turnOn(bool& to);
// What a program does before playing: prints the usage or the version (status 0), or the refusal
// (status 2); kGoOn for Play.
constexpr int kGoOn = -1;
constexpr int kUsageStatus = 2;
// Both programs end so when a file asked for could not be written.
constexpr int kWriteFailedStatus = 4;
int actOnEarly(const Outcome& outcome, const std::string& usage, const std::string& version);

// The game's own command line: no options plays the game; --record, --replay and --dump-bricks
// name files; --fullscreen, --sensitivity and --invert-y set what the settings file sets, and win
// over it where given.
struct Parsed {
    Outcome outcome;
    // Empty when not given.
    std::string recordPath;
    std::string replayPath;
    std::string dumpBricksPath;
    bool fullscreen = false;
    bool invertY = false;
    // 0 when not given.
    float sensitivity = 0.0f;
    bool sceneGiven = false;
    SceneLayout::Choice scene;
};

Parsed parse(int argc, const char* const* argv);
// The settings to play with: those of the file, with what the options give in their place.
Settings::Values withOptions(Settings::Values fromFile, const Parsed& options);
// The usage text: synopsis, controls, options, the settings file, where media is looked for.
std::string usage();
// "kelvarin X.Y.Z".
std::string versionLine();

}  // namespace CommandLine
