#include "app/CommandLine.h"

#include <algorithm>
#include <cstring>

#include "app/Controls.h"
#include "core/LineReader.h"

namespace CommandLine {

namespace {

constexpr const char* kFile = "a file";

bool isHelp(const char* arg) {
    return std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0;
}

Outcome refuse(const char* program, const std::string& what) {
    return {Action::Refuse,
            std::string(program) + ": " + what + " (" + program + " --help lists the options)"};
}

const Option* findOption(const std::vector<Option>& options, const char* arg) {
    for (const Option& candidate : options) {
        if (std::strcmp(arg, candidate.name) == 0) return &candidate;
    }
    return nullptr;
}

}  // namespace

Outcome parse(const char* program, int argc, const char* const* argv,
              const std::vector<Option>& options) {
    for (int i = 1; i < argc; ++i) {
        if (isHelp(argv[i])) return {Action::ShowHelp, {}};
    }
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) return {Action::ShowVersion, {}};
    }
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const Option* option = findOption(options, arg);
        if (!option) return refuse(program, "unknown option '" + shownSafely(arg) + "'");
        if (!option->takes) {
            option->take({});
            continue;
        }
        const std::string needs = "option '" + std::string(arg) + "' needs " + option->takes;
        if (i + 1 >= argc || argv[i + 1][0] == '\0') return refuse(program, needs);
        const char* value = argv[++i];
        if (!option->take(value)) {
            return refuse(program, needs + ", not '" + shownSafely(value) + "'");
        }
    }
    return {};
}

Settings::Values withOptions(Settings::Values fromFile, const Parsed& options) {
    if (options.fullscreen) fromFile.fullscreen = true;
    if (options.invertY) fromFile.look.invertY = true;
    if (options.sensitivity > 0.0f) fromFile.look.sensitivity = options.sensitivity;
    return fromFile;
}

Parsed parse(int argc, const char* const* argv) {
    Parsed parsed;
    auto path = [](std::string& to) {
        return [&to](const std::string& value) {
            to = value;
            return true;
        };
    };
    auto on = [](bool& to) { return [&to](const std::string&) { return to = true; }; };
    const std::vector<Option> options = {
        {"--record", kFile, path(parsed.recordPath)},
        {"--replay", kFile, path(parsed.replayPath)},
        {"--dump-bricks", kFile, path(parsed.dumpBricksPath)},
        {"--fullscreen", nullptr, on(parsed.fullscreen)},
        {"--invert-y", nullptr, on(parsed.invertY)},
        {"--sensitivity", LookSettings::kSensitivityRange,
         [&parsed](const std::string& value) {
             return readSensitivity(value, parsed.sensitivity);
         }},
    };
    const Outcome outcome = parse("kelvarin", argc, argv, options);
    parsed.action = outcome.action;
    parsed.error = outcome.error;
    return parsed;
}

namespace {

constexpr std::size_t kKeysWidth = 18;
constexpr std::size_t kLineWidth = 79;

// "  KEYS  action (pad: control)", the pad's part on a line of its own when it would not fit.
std::string controlsText() {
    std::string text;
    for (const Control& control : controls()) {
        std::string line = "  " + std::string(control.keyboardAndMouse);
        line.resize(std::max(line.size() + 1, kKeysWidth + 2), ' ');
        line += control.action;
        if (std::strcmp(control.pad, "-") != 0) {
            const std::string pad = std::string("(pad: ") + control.pad + ")";
            if (line.size() + 1 + pad.size() > kLineWidth) {
                line += "\n" + std::string(kKeysWidth + 2, ' ');
            } else {
                line += " ";
            }
            line += pad;
        }
        text += line + "\n";
    }
    return text;
}

}  // namespace

std::string usage() {
    return std::string(
               "Usage: kelvarin [--record FILE] [--replay FILE] [--dump-bricks FILE]\n"
               "                [--fullscreen] [--sensitivity X] [--invert-y]\n"
               "       kelvarin --help | --version\n"
               "A first-person game: 77 bricks fall into a wall; shoot them down and rewind time.\n"
               "\n"
               "Controls:\n") +
           controlsText() +
           "Ctrl+C and closing the window quit too.\n"
           "\n"
           "Options:\n"
           "  -h, --help        print this text and exit\n"
           "  --version         print the version and exit\n"
           "  --record FILE     write everything that drives the game to FILE as it plays\n"
           "                    (a kelvarin-sim script: kelvarin-sim --script FILE replays "
           "it)\n"
           "  --replay FILE     play a recording back in the window; Escape stops it early\n"
           "  --dump-bricks FILE  at exit, write the bricks as CSV, as kelvarin-sim prints "
           "them\n"
           "  --fullscreen      start fullscreen, on the monitor's current mode\n"
           "  --sensitivity X   turn X times as fast with the mouse; X is " +
           LookSettings::kSensitivityRange +
           "\n"
           "                    (1 is the game's own rate)\n"
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
           "  " KELVARIN_INSTALLED_DATA_DIR
           "\n"
           "\n"
           "Exit status: 0 after a normal run (Escape, the window closed, Ctrl+C); 2 for a bad\n"
           "option or a recording that cannot be replayed; 4 when a file asked for (--record,\n"
           "--dump-bricks) could not be written; 128 + N after a crash with signal N; 255 when\n"
           "the window or OpenGL could not be made.\n";
}

std::string versionLine() {
    return "kelvarin " KELVARIN_VERSION;
}

}  // namespace CommandLine
