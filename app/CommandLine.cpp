#include "app/CommandLine.h"

#include <cstring>

namespace CommandLine {

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
        parsed.action = Action::Refuse;
        parsed.error = std::string("kelvarin: unknown option '") + arg + "'";
        return parsed;
    }
    return parsed;
}

std::string usage() {
    return "Usage: kelvarin [--help | --version]\n"
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
