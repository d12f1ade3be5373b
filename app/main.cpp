#include <string>

#include "app/CommandLine.h"
#include "app/GameRun.h"
#include "app/PageAnswers.h"
#include "app/Script.h"
#include "app/Session.h"
#include "app/Settings.h"
#include "core/LineReader.h"
#include "core/MediaFolder.h"
#include "core/Messages.h"
#include "platform/Platform.h"
#include "platform/RegularFile.h"
#include "platform/Signals.h"
#include "platform/System.h"

namespace {

constexpr int kStartUpFailed = -1;

// Before the models read their files, as early as the media folder is chosen: a stop asked for
// while the game starts ends it after its first frame, through the usual shutdown, and a crash
// then is reported too.
struct CatchSignals {
    CatchSignals() { Platform::Signals::install(); }
} const catchSignals __attribute__((init_priority(101)));

// Both outlive main: in a browser main returns while the game goes on.
Session session;
GameRun run;
bool everythingWritten = true;

// The settings file's values; what it could not use is named, and the game starts all the same.
Settings::Values playerSettings() {
    const Settings::Read read = Settings::readFile(Platform::settingsFilePath());
    for (const std::string& problem : read.problems) Messages::say(problem);
    return read.values;
}

// What the player asked for before any window opens: a recording to replay, read whole and
// checked, and files to write that are regular files or nothing yet. The first problem is said.
bool filesAreUsable(const CommandLine::Parsed& parsed, const MediaFolder::Outcome& media) {
    auto given = [&](const std::string& path) { return MediaFolder::fromStartFolder(media, path); };
    for (const std::string* path : {&parsed.recordPath, &parsed.dumpBricksPath}) {
        const std::string why = path->empty() ? "" : Platform::whyNotWritable(given(*path));
        if (why.empty()) continue;
        Messages::say("cannot write " + shownSafely(*path) + ": " + why);
        return false;
    }
    if (parsed.replayPath.empty()) return true;
    Script::Script script = Script::readReplay(given(parsed.replayPath), parsed.replayPath, true);
    if (!script.error.empty()) {
        Messages::say(script.error);
        return false;
    }
    session.startReplay(std::move(script));
    return true;
}

int refused() {
    Platform::sayEndBeforePlay("refused");
    return CommandLine::kUsageStatus;
}

// The settings played with, and the file the options the player changes are kept in.
RunConfig configFor(const CommandLine::Parsed& parsed, const MediaFolder::Outcome& media) {
    RunConfig config;
    config.settingsPath = Platform::settingsFilePath();
    config.settingsInFile = playerSettings();
    config.settings = CommandLine::withOptions(config.settingsInFile, parsed);
    config.offersOptions = !Platform::optionsShownByPage();
    const Settings::Values& settings = config.settings;
    config.session = &session;
    if (!parsed.recordPath.empty()) {
        session.startRecording(MediaFolder::fromStartFolder(media, parsed.recordPath),
                               settings.look, settings.scene);
    }
    if (!parsed.dumpBricksPath.empty()) {
        config.brickDumpPath = MediaFolder::fromStartFolder(media, parsed.dumpBricksPath);
    }
    return config;
}

}  // namespace

int main(int argc, char** argv) {
    const CommandLine::Parsed parsed = CommandLine::parse(argc, argv);
    const int early =
        CommandLine::actOnEarly(parsed.outcome, CommandLine::usage(), CommandLine::versionLine());
    if (early == CommandLine::kUsageStatus) return refused();
    if (early != CommandLine::kGoOn) return early;
    PageAnswers::serve(run, session);
    const MediaFolder::Outcome& media = MediaFolder::chosenAtStart();
    if (!media.found) Messages::say(media.message);
    if (!filesAreUsable(parsed, media)) return refused();
    if (!run.start(configFor(parsed, media))) {
        Platform::sayEndBeforePlay("no-window");
        return kStartUpFailed;
    }
    Platform::runFrameLoop([] { return run.frame(); }, [] { everythingWritten = run.finish(); });
    return everythingWritten ? 0 : CommandLine::kWriteFailedStatus;
}
