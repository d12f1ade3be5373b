#include <iostream>
#include <string>

#include "app/CommandLine.h"
#include "app/GameRun.h"
#include "app/ReplayControl.h"
#include "app/Script.h"
#include "app/Session.h"
#include "app/Settings.h"
#include "core/Json.h"
#include "core/LineReader.h"
#include "core/MediaFolder.h"
#include "core/Messages.h"
#include "input/Controls.h"
#include "input/Keys.h"
#include "input/LookSettings.h"
#include "platform/KeyboardCodes.h"
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
                               settings.look);
    }
    if (!parsed.dumpBricksPath.empty()) {
        config.brickDumpPath = MediaFolder::fromStartFolder(media, parsed.dumpBricksPath);
    }
    return config;
}

}  // namespace

// The page saves the recording on demand: everything written so far must be in the file.
extern "C" void kelvarinFlushRecording() {
    session.flush();
}

// The page lists the controls from the table the usage text is made of, with the player's keys.
extern "C" const char* kelvarinControls() {
    static std::string json;
    const Settings::Values& played = run.settingsPlayed();
    json = std::string("{\"sensitivityRange\": ") + jsonString(LookSettings::kSensitivityRange) +
           ", \"controls\": " + Controls::asJson(played.keys, played.rewindToggles) + "}";
    return json.c_str();
}

// The page's options dialog shows the settings played, as the settings file writes them, each
// key with its action's title and its place on the keyboard: {"music_volume": {"value": "100"},
// "key.forward": {"value": "W", "title": "Forward", "code": "KeyW"}, ...}.
extern "C" const char* kelvarinOptions() {
    static std::string json;
    json = "{";
    for (const auto& [key, value] : Settings::written(run.settingsPlayed())) {
        json +=
            (json.size() > 1 ? ", " : "") + jsonString(key) + ": {\"value\": " + jsonString(value);
        Action action = Action::Count;
        const std::string prefix = Settings::kKeyPrefix;
        if (key.rfind(prefix, 0) == 0 && Controls::named(key.substr(prefix.size()), action)) {
            json += ", \"title\": " + jsonString(Controls::of(action).title);
            int code = 0;
            if (Keys::fromName(value, code)) {
                json += ", \"code\": " + jsonString(Platform::codeOfKey(code));
            }
        }
        json += "}";
    }
    json += "}";
    return json.c_str();
}

// The dialog changes a setting as the file would: the problem, or empty when it is played and
// kept from now on.
extern "C" const char* kelvarinSetOption(const char* key, const char* value) {
    static std::string problem;
    Settings::Values values = run.settingsPlayed();
    problem = Settings::set(values, key, value);
    if (problem.empty()) run.changeSettings(values);
    return problem.c_str();
}

// Where a replay stands, for the page's timeline: {"frame": 120, "last": 600, "held": false};
// frame 0 before the first.
extern "C" const char* kelvarinReplayPosition() {
    static std::string json;
    json = "{\"frame\": " + std::to_string(run.framesRun()) +
           ", \"last\": " + std::to_string(session.replayLength()) +
           ", \"held\": " + (run.replay().isHeld() ? "true" : "false") + "}";
    return json.c_str();
}

// The page's timeline seeks and holds the replay or lets it go on.
extern "C" void kelvarinSeekReplay(int frame) {
    run.seekReplay(frame);
}

extern "C" void kelvarinHoldReplay(int held) {
    run.replay().hold(held != 0);
}

// The name the settings file gives the key in a browser's place (KeyboardEvent.code); empty for
// a key the game has none for.
extern "C" const char* kelvarinKeyName(const char* code) {
    static std::string name;
    const int key = Platform::keyAtCode(code);
    name = key < 0 ? "" : Keys::name(key);
    return name.c_str();
}

int main(int argc, char** argv) {
    const CommandLine::Parsed parsed = CommandLine::parse(argc, argv);
    const int early =
        CommandLine::actOnEarly(parsed.outcome, CommandLine::usage(), CommandLine::versionLine());
    if (early == CommandLine::kUsageStatus) return refused();
    if (early != CommandLine::kGoOn) return early;
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
