#include <iostream>
#include <string>

#include "app/Application.h"
#include "app/CommandLine.h"
#include "core/MediaFolder.h"

namespace {

constexpr int kUsageError = 2;

}  // namespace

int main(int argc, char** argv) {
    const CommandLine::Parsed parsed = CommandLine::parse(argc, argv);
    switch (parsed.action) {
        case CommandLine::Action::ShowHelp:
            std::cout << CommandLine::usage();
            return 0;
        case CommandLine::Action::ShowVersion:
            std::cout << CommandLine::versionLine() << std::endl;
            return 0;
        case CommandLine::Action::Refuse:
            std::cerr << parsed.error << '\n' << CommandLine::usage();
            return kUsageError;
        case CommandLine::Action::Play:
            break;
    }
    const MediaFolder::Outcome& media = MediaFolder::chosenAtStart();
    if (!media.found) std::cerr << media.message << std::endl;
    if (initApplication() != 0) return -1;
    runGame(std::string("Kelvarin"));
    return 0;
}
