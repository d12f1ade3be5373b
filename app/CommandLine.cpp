#include "app/CommandLine.h"

#include <cstring>
#include <utility>

namespace CommandLine {

namespace {

// The options that name a file, and where each one's value goes.
struct FileOption {
    const char* name;
    std::string Parsed::*path;
};

constexpr FileOption kFileOptions[] = {
    {"--record", &Parsed::recordPath},
    {"--replay", &Parsed::replayPath},
    {"--dump-bricks", &Parsed::dumpBricksPath},
};

// The options that switch something on.
struct SwitchOption {
    const char* name;
    bool Parsed::*on;
};

constexpr SwitchOption kSwitchOptions[] = {
    {"--fullscreen", &Parsed::fullscreen},
    {"--invert-y", &Parsed::invertY},
};

constexpr const char* kSensitivityOption = "--sensitivity";

Parsed refuse(std::string error) {
    Parsed parsed;
    parsed.action = Action::Refuse;
    parsed.error = "kelvarin: " + std::move(error);
    return parsed;
}

template <typename Option, std::size_t kCount>
const Option* findOption(const Option (&options)[kCount], const char* arg) {
    for (const Option& candidate : options) {
        if (std::strcmp(arg, candidate.name) == 0) return &candidate;
    }
    return nullptr;
}

}  // namespace

Settings::Values withOptions(Settings::Values fromFile, const Parsed& options) {
    if (options.fullscreen) fromFile.fullscreen = true;
    if (options.invertY) fromFile.look.invertY = true;
    if (options.sensitivity > 0.0f) fromFile.look.sensitivity = options.sensitivity;
    return fromFile;
}

Parsed parse(int argc, const char* const* argv) {
    Parsed parsed;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            parsed.action = Action::ShowHelp;
            return parsed;
        }
        if (std::strcmp(arg, "--version") == 0) {
            parsed.action = Action::ShowVersion;
            return parsed;
        }
        if (const SwitchOption* option = findOption(kSwitchOptions, arg)) {
            parsed.*(option->on) = true;
            continue;
        }
        const bool isSensitivity = std::strcmp(arg, kSensitivityOption) == 0;
        const FileOption* option = findOption(kFileOptions, arg);
        if (!option && !isSensitivity) return refuse(std::string("unknown option '") + arg + "'");
        if (i + 1 >= argc || argv[i + 1][0] == '\0') {
            return refuse(std::string("option '") + arg + "' needs " +
                          (isSensitivity ? "a number" : "a file"));
        }
        const char* value = argv[++i];
        if (option) {
            parsed.*(option->path) = value;
        } else if (!Settings::readSensitivity(value, parsed.sensitivity)) {
            return refuse(std::string("option '") + arg +
                          "' needs a number above 0, up to 10, not '" + value + "'");
        }
    }
    return parsed;
}

std::string usage() {
    return "Usage: kelvarin [--record FILE] [--replay FILE] [--dump-bricks FILE]\n"
           "                [--fullscreen] [--sensitivity X] [--invert-y]\n"
           "       kelvarin --help | --version\n"
           "A first-person game: 77 bricks fall into a wall; shoot them down and rewind time.\n"
           "\n"
           "Controls:\n"
           "  W, A, S, D        fly forward, left, back, right along the look direction\n"
           "  Mouse             look around\n"
           "  Left Shift        run (twice the speed)\n"
           "  Left click        shoot\n"
           "  Spacebar (hold)   rewind time\n"
           "  Escape            quit (so do Ctrl+C and closing the window)\n"
           "  F11, Alt+Enter    switch between the window and fullscreen\n"
           "\n"
           "Options:\n"
           "  -h, --help        print this text and exit\n"
           "  --version         print the version and exit\n"
           "  --record FILE     write everything that drives the game to FILE as it plays\n"
           "                    (a kelvarin-sim script: kelvarin-sim --script FILE replays it)\n"
           "  --replay FILE     play a recording back in the window; Escape stops it early\n"
           "  --dump-bricks FILE  at exit, write the bricks as CSV, as kelvarin-sim prints them\n"
           "  --fullscreen      start fullscreen, on the monitor's current mode\n"
           "  --sensitivity X   turn X times as fast with the mouse (above 0, up to 10; 1 is the\n"
           "                    game's own rate)\n"
           "  --invert-y        moving the mouse forward looks down\n"
           "\n"
           "Settings file: $XDG_CONFIG_HOME/kelvarin/settings.ini (~/.config/kelvarin/\n"
           "settings.ini when XDG_CONFIG_HOME is unset), lines of \"key = value\", # for "
           "comments:\n"
           "  fullscreen = true|false   sensitivity = X   invert_y = true|false\n"
           "The options win over the file. The game only reads it; a line it cannot use is\n"
           "named on standard error and that setting keeps its default. A replay plays with\n"
           "the sensitivity and inversion of its recording, whatever these say.\n"
           "\n"
           "Media (models, textures, shaders, sounds) is read from media/ in the working folder.\n"
           "When there is none, the first of these folders that holds media/ is used:\n"
           "  $KELVARIN_DATA_DIR, the executable's folder, <executable's "
           "folder>/../share/kelvarin,\n"
           "  " KELVARIN_INSTALLED_DATA_DIR "\n";
}

std::string versionLine() {
    return "kelvarin " KELVARIN_VERSION;
}

}  // namespace CommandLine
