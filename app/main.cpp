#include <iostream>
#include <string>

#include "app/CommandLine.h"
#include "app/Controls.h"
#include "app/GameRun.h"
#include "app/Script.h"
#include "app/Session.h"
#include "app/Settings.h"
#include "core/MediaFolder.h"
#include "platform/Platform.h"
#include "platform/StopSignals.h"
#include "platform/System.h"

namespace {

constexpr int kUsageError = 2;
constexpr int kWriteFailed = 4;
constexpr int kStartUpFailed = -1;

// Before the models read their files, as early as the media folder is chosen: a stop asked for
// while the game starts ends it after its first frame, through the usual shutdown.
struct CatchStopSignals {
    CatchStopSignals() { Platform::StopSignals::install(); }
} const catchStopSignals __attribute__((init_priority(101)));

// Both outlive main: in a browser main returns while the game goes on.
Session session;
GameRun run;
bool everythingWritten = true;

// A recording to replay must be whole, and a recording, before the window opens: the first
// problem ends the game here.
bool loadReplay(const std::string& path, const std::string& shownAs) {
    Script::Script script = Script::readFile(path, shownAs);
    if (script.error.empty()) script.error = Script::whyNotReplayable(script, shownAs);
    if (!script.error.empty()) {
        std::cerr << "kelvarin: " << script.error << std::endl;
        return false;
    }
    session.startReplay(std::move(script));
    return true;
}

// The settings file's values; what it could not use is named, and the game starts all the same.
Settings::Values playerSettings() {
    const Settings::Read read = Settings::readFile(Platform::settingsFilePath());
    for (const std::string& problem : read.problems) std::cerr << "kelvarin: " << problem << '\n';
    return read.values;
}

}  // namespace

// The page saves the recording on demand: everything written so far must be in the file.
extern "C" void kelvarinFlushRecording() {
    session.flush();
}

// The page lists the controls from the table the usage text is made of.
extern "C" const char* kelvarinControls() {
    static const std::string json = controlsAsJson();
    return json.c_str();
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
            std::cerr << parsed.error << std::endl;
            return kUsageError;
        case CommandLine::Action::Play:
            break;
    }
    const MediaFolder::Outcome& media = MediaFolder::chosenAtStart();
    if (!media.found) std::cerr << media.message << std::endl;
    auto given = [&](const std::string& path) { return MediaFolder::fromStartFolder(media, path); };
    const Settings::Values settings = CommandLine::withOptions(playerSettings(), parsed);

    if (!parsed.replayPath.empty() && !loadReplay(given(parsed.replayPath), parsed.replayPath)) {
        return kUsageError;
    }
    if (!parsed.recordPath.empty()) session.startRecording(given(parsed.recordPath), settings.look);
    RunConfig config;
    config.fullscreen = settings.fullscreen;
    config.look = settings.look;
    config.session = &session;
    if (!parsed.dumpBricksPath.empty()) config.brickDumpPath = given(parsed.dumpBricksPath);

    if (!run.start(config)) return kStartUpFailed;
    Platform::runFrameLoop([] { return run.frame(); }, [] { everythingWritten = run.finish(); });
    return everythingWritten ? 0 : kWriteFailed;
}
