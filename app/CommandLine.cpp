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

Parsed refuse(std::string error) {
    Parsed parsed;
    parsed.action = Action::Refuse;
    parsed.error = "kelvarin: " + std::move(error);
    return parsed;
}

}  // namespace

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
        const FileOption* option = nullptr;
        for (const FileOption& candidate : kFileOptions) {
            if (std::strcmp(arg, candidate.name) == 0) option = &candidate;
        }
        if (!option) return refuse(std::string("unknown option '") + arg + "'");
        if (i + 1 >= argc || argv[i + 1][0] == '\0') {
            return refuse(std::string("option '") + arg + "' needs a file");
        }
        parsed.*(option->path) = argv[++i];
    }
    return parsed;
}

std::string usage() {
    return "Usage: kelvarin [--record FILE] [--replay FILE] [--dump-bricks FILE]\n"
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
           "\n"
           "Options:\n"
           "  -h, --help        print this text and exit\n"
           "  --version         print the version and exit\n"
           "  --record FILE     write everything that drives the game to FILE as it plays\n"
           "                    (a kelvarin-sim script: kelvarin-sim --script FILE replays it)\n"
           "  --replay FILE     play a recording back in the window; Escape stops it early\n"
           "  --dump-bricks FILE  at exit, write the bricks as CSV, as kelvarin-sim prints them\n"
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
