#include "app/CommandLine.h"

#include <algorithm>
#include <cstring>
#include <iostream>
#include <sstream>

#include "app/SettingsTable.h"
#include "core/LineReader.h"
#include "input/Controls.h"

namespace CommandLine {
namespace {

// Option names start the usage's lines; their words start at this column.
constexpr std::size_t kHelpColumn = 20;
constexpr std::size_t kMinimumGap = 2;
constexpr std::size_t kLineWidth = 79;

bool isHelp(const char* arg) {
    return std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0;
}

bool isVersion(const char* arg) {
    return std::strcmp(arg, "--version") == 0;
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

// The first argument that is the word asked for, and not the value of an option before it
// (--sensitivity --help is a bad sensitivity).
bool anywhere(int argc, const char* const* argv, const std::vector<Option>& options,
              bool (*is)(const char*)) {
    for (int i = 1; i < argc; ++i) {
        if (is(argv[i])) return true;
        const Option* option = findOption(options, argv[i]);
        if (option && option->takes) ++i;
    }
    return false;
}

// Words after a prefix, in lines of the usage's width; each further line starts at indent.
std::string wrappedAfter(std::string line, const std::string& words, std::size_t indent) {
    std::string text;
    std::istringstream in(words);
    bool lineHasWords = false;
    for (std::string word; in >> word; lineHasWords = true) {
        if (lineHasWords && line.size() + 1 + word.size() > kLineWidth) {
            text += line + "\n";
            line = std::string(indent, ' ');
            lineHasWords = false;
        }
        line += (lineHasWords ? " " : "") + word;
    }
    return text + line + "\n";
}

// The help's words start at kHelpColumn; a line feed in them starts a line of its own.
std::string optionLine(const std::string& left, const std::string& help) {
    std::string prefix = "  " + left;
    prefix.resize(std::max(prefix.size() + kMinimumGap, kHelpColumn), ' ');
    std::string text;
    std::istringstream paragraphs(help);
    for (std::string paragraph; std::getline(paragraphs, paragraph);) {
        text += wrappedAfter(prefix, paragraph, kHelpColumn);
        prefix = std::string(kHelpColumn, ' ');
    }
    return text;
}

}  // namespace

Outcome parse(const char* program, int argc, const char* const* argv,
              const std::vector<Option>& options) {
    if (anywhere(argc, argv, options, isHelp)) return {Action::ShowHelp, {}};
    if (anywhere(argc, argv, options, isVersion)) return {Action::ShowVersion, {}};
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

std::string describe(const std::vector<Option>& options) {
    std::string text = optionLine("-h, --help", "print this text and exit") +
                       optionLine("--version", "print the version and exit");
    for (const Option& option : options) {
        const std::string left =
            option.valueName ? std::string(option.name) + " " + option.valueName : option.name;
        text += optionLine(left, option.help);
    }
    return text;
}

std::string wrapped(const std::string& words) {
    return wrappedAfter("", words, 0);
}

Taker storeIn(std::string& to) {
    return [&to](const std::string& value) {
        to = value;
        return true;
    };
}

Taker turnOn(bool& to) {
    return [&to](const std::string&) { return to = true; };
}

int actOnEarly(const Outcome& outcome, const std::string& usage, const std::string& version) {
    switch (outcome.action) {
        case Action::ShowHelp:
            std::cout << usage;
            return 0;
        case Action::ShowVersion:
            std::cout << version << std::endl;
            return 0;
        case Action::Refuse:
            std::cerr << outcome.error << std::endl;
            return kUsageStatus;
        case Action::Play:
            break;
    }
    return kGoOn;
}

Settings::Values withOptions(Settings::Values fromFile, const Parsed& options) {
    if (options.fullscreen) fromFile.fullscreen = true;
    if (options.invertY) fromFile.look.invertY = true;
    if (options.sensitivity > 0.0f) fromFile.look.sensitivity = options.sensitivity;
    if (options.sceneGiven) fromFile.scene = options.scene;
    return fromFile;
}

namespace {

constexpr const char* kFile = "a file";

const std::string& sceneTakes() {
    static const std::string takes = "one of " + SceneLayout::described();
    return takes;
}

std::vector<Option> gameOptions(Parsed& parsed) {
    return {
        {"--record", "FILE", kFile,
         "write everything that drives the game to FILE as it plays\n(compact: "
         "kelvarin-sim --script FILE replays it, --convert shows it as text)",
         storeIn(parsed.recordPath)},
        {"--replay", "FILE", kFile, "play a recording back in the window; Escape stops it early",
         storeIn(parsed.replayPath)},
        {"--dump-bricks", "FILE", kFile,
         "at exit, write the bricks as CSV, as kelvarin-sim prints them",
         storeIn(parsed.dumpBricksPath)},
        {"--fullscreen", nullptr, nullptr, "start fullscreen, on the monitor's current mode",
         turnOn(parsed.fullscreen)},
        {"--sensitivity", "X", LookSettings::kSensitivityRange,
         std::string("turn X times as fast with the mouse; X is ") +
             LookSettings::kSensitivityRange + " (1 is the game's own rate)",
         [&parsed](const std::string& value) {
             return readSensitivity(value, parsed.sensitivity);
         }},
        {"--invert-y", nullptr, nullptr, "moving the mouse forward looks down",
         turnOn(parsed.invertY)},
        {"--scene", "NAME", sceneTakes().c_str(), "play another scene: " + SceneLayout::described(),
         [&parsed](const std::string& value) {
             std::string why;
             parsed.sceneGiven = SceneLayout::read(value, parsed.scene, why);
             return parsed.sceneGiven;
         }},
    };
}

constexpr const char* kSynopsis =
    "Usage: kelvarin [--record FILE] [--replay FILE] [--dump-bricks FILE]\n"
    "                [--fullscreen] [--sensitivity X] [--invert-y] [--scene NAME]\n"
    "       kelvarin --help | --version\n"
    "A first-person game: 77 bricks fall into a wall; shoot them down, rewind time.\n\n";

constexpr const char* kSettingsFile =
    "\n"
    "Settings file: $XDG_CONFIG_HOME/kelvarin/settings.ini (~/.config/kelvarin/\n"
    "settings.ini when XDG_CONFIG_HOME is unset), lines of \"key = value\", # for\n"
    "comments; each key takes (its default):\n";

constexpr const char* kSettingsKept =
    "The options win over the file. A line the game cannot use is named on standard\n"
    "error and that setting keeps its default. When an option changes in the game's\n"
    "options, the game writes the file again, keeping the player's comments and the\n"
    "lines it does not know. A replay plays with the sensitivity and inversion of\n"
    "its recording, whatever these say.\n";

constexpr const char* kMedia =
    "\n"
    "Media (models, textures, shaders, sounds) is read from media/ in the working\n"
    "folder. When there is none, the first of these folders that holds media/ is\n"
    "used:\n"
    "  $KELVARIN_DATA_DIR, the executable's folder,\n"
    "  <executable's folder>/../share/kelvarin, " KELVARIN_INSTALLED_DATA_DIR "\n\n";

constexpr const char* kExitStatus =
    "Exit status: 0 after a normal run (Escape, the window closed, Ctrl+C); 2 for a\n"
    "bad option or a recording that cannot be replayed, or for --record or\n"
    "--dump-bricks naming something other than a regular file; 4 when a file asked\n"
    "for could not be written; 128 + N after a crash with signal N; 255 when the\n"
    "window or OpenGL could not be made.\n";

// "  KEYS  action (pad: control)".
std::string controlsText() {
    std::string text;
    for (const Controls::ShownControl& row : Controls::shownControls()) {
        const std::string pad = Controls::padWords(row);
        text += optionLine(Controls::keyboardWords(row, Controls::defaultKeys()),
                           row.what + (pad == "-" ? "" : " (pad: " + pad + ")"));
    }
    return text;
}

// "  KEY  what it takes (its default)".
std::string settingsText() {
    std::string text;
    for (const auto& [key, takes] : Settings::described()) text += optionLine(key, takes);
    return text;
}

}  // namespace

Parsed parse(int argc, const char* const* argv) {
    Parsed parsed;
    parsed.outcome = parse("kelvarin", argc, argv, gameOptions(parsed));
    return parsed;
}

std::string usage() {
    Parsed unused;
    return std::string(kSynopsis) + "Controls:\n" + controlsText() +
           "Ctrl+C and closing the window quit too.\n\nOptions:\n" + describe(gameOptions(unused)) +
           kSettingsFile + settingsText() + kSettingsKept + kMedia + kExitStatus;
}

std::string versionLine() {
    return "kelvarin " KELVARIN_VERSION;
}

}  // namespace CommandLine
