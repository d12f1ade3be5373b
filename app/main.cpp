#include <fstream>
#include <iostream>
#include <string>

#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/Script.h"
#include "app/Session.h"
#include "app/Settings.h"
#include "core/MediaFolder.h"

namespace {

constexpr int kUsageError = 2;

// A recording to replay must be whole before the game starts: the first bad line ends it here.
bool loadReplay(const std::string& path, const std::string& shownAs, Session& session) {
    std::ifstream file(path);
    if (!file) {
        std::cerr << "kelvarin: cannot read " << shownAs << std::endl;
        return false;
    }
    Script::Script script = Script::parse(file, shownAs);
    if (!script.error.empty()) {
        std::cerr << "kelvarin: " << script.error << std::endl;
        return false;
    }
    session.startReplay(std::move(script));
    return true;
}

// The settings file's values; what it could not use is named, and the game starts all the same.
Settings::Values playerSettings() {
    const Settings::Read read = Settings::readFile(Settings::defaultPath());
    for (const std::string& problem : read.problems) std::cerr << "kelvarin: " << problem << '\n';
    return read.values;
}

}  // namespace

// The page saves the recording on demand: everything written so far must be in the file.
extern "C" void kelvarinFlushRecording() {
    if (Session* session = currentSession()) session->flush();
}

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
    auto given = [&](const std::string& path) { return MediaFolder::fromStartFolder(media, path); };
    const Settings::Values settings = CommandLine::withOptions(playerSettings(), parsed);

    // Outlives main: in a browser main returns while the game goes on.
    static Session session;
    if (!parsed.replayPath.empty() &&
        !loadReplay(given(parsed.replayPath), parsed.replayPath, session)) {
        return kUsageError;
    }
    if (!parsed.recordPath.empty()) session.startRecording(given(parsed.recordPath), settings.look);
    if (!parsed.dumpBricksPath.empty()) setBrickDumpPath(given(parsed.dumpBricksPath));
    setSession(&session);
    setStartSettings(settings.fullscreen, settings.look);

    if (initApplication() != 0) return -1;
    runGame(std::string("Kelvarin"));
    return 0;
}
