#include "app/Script.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <sstream>

#include "app/CompactRecording.h"
#include "core/LineReader.h"
#include "core/Numbers.h"
#include "platform/Platform.h"
#include "platform/RegularFile.h"

namespace Script {
namespace {

constexpr const char* kHeaderWord = "kelvarin-script";
constexpr const char* kLookWord = "look";
constexpr const char* kSceneWord = "scene";
constexpr const char* kNormalWord = "normal";
constexpr const char* kInvertedWord = "inverted";
// Enough digits to give back every float exactly.
constexpr int kExactFloatDigits = 9;
// Enough digits to give back every double exactly.
constexpr int kExactDigits = 17;
constexpr Numbers::Bounds kTicksBounds =
    Numbers::Bounds::within(0, std::numeric_limits<int>::max());
// Cursor motion in pixels between two frames; far more than any mouse reports.
constexpr double kMaxCursorMotion = 1e9;

bool readMotion(const std::string& word, int& pixels) {
    return Numbers::read(word, Numbers::Bounds::within(-kMaxCursorMotion, kMaxCursorMotion),
                         pixels);
}

bool readSeconds(const std::string& word, double& value) {
    return Numbers::read(word, Numbers::Bounds::within(0.0, std::numeric_limits<double>::max()),
                         value);
}

std::vector<std::string> split(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

// "SENSITIVITY normal|inverted" from words[first] on, and its field of view from version 4 on.
bool readLook(const std::vector<std::string>& words, std::size_t first, int version,
              LookSettings& look) {
    const std::size_t count = version >= kFirstVersionWithFieldOfView ? 3 : 2;
    LookSettings read;
    if (words.size() != first + count || !readSensitivity(words[first], read.sensitivity) ||
        (words[first + 1] != kNormalWord && words[first + 1] != kInvertedWord) ||
        (count == 3 && !readFieldOfView(words[first + 2], read.fieldOfView))) {
        return false;
    }
    read.invertY = words[first + 1] == kInvertedWord;
    look = read;
    return true;
}

// "press ACTION" or "release ACTION" from words[1] on; what says what is wrong, naming the word
// and the actions there are.
bool readAction(const std::vector<std::string>& words, Action& action, std::string& what) {
    const std::string& verb = words[1];
    if (words.size() == 2) {
        what = verb + " needs an action: " + Controls::actionNames();
        return false;
    }
    if (words.size() > 3) {
        std::string rest;
        for (std::size_t i = 2; i < words.size(); ++i) rest += (i > 2 ? " " : "") + words[i];
        what = verb + " takes one action, not '" + shownSafely(rest) + "'";
        return false;
    }
    what = "unknown action '" + shownSafely(words[2]) + "'; ACTION is " + Controls::actionNames();
    return Controls::named(words[2], action);
}

std::string frameWithoutTime(int frame) {
    return "frame " + std::to_string(frame) + " has no 'delta' line";
}

// One pass over the lines; the first problem ends it.
class Parser {
public:
    Parser(std::istream& in, const std::string& name)
        : lines(in, kMaxLineBytes, kMaxBytes), name(shownSafely(name)) {}
    Script run();

private:
    bool isRecording() const { return script.version >= kFirstRecordingVersion; }
    bool fail(const std::string& what);
    bool takeLine(const std::string& line);
    bool takeHeader(const std::vector<std::string>& words);
    bool takeLook(const std::vector<std::string>& words);
    bool takeScene(const std::vector<std::string>& words);
    bool takeEvent(const std::vector<std::string>& words);
    bool readEvent(const std::vector<std::string>& words, Event& event, std::string& what) const;
    bool followFrames(const Event& event);

    LineReader lines;
    std::string name;
    Script script;
    bool first = true;
    bool lookSeen = false;
    bool sceneSeen = false;
    // A recording's frames come in turn, each with its time.
    int frame = 0;
    bool frameTimed = true;
};

bool Parser::fail(const std::string& what) {
    script.error = name + ":" + std::to_string(lines.number()) + ": " + what;
    return false;
}

Script Parser::run() {
    std::string line;
    for (LineReader::Result result; (result = lines.next(line)) != LineReader::Result::End;) {
        if (lines.cutShort()) {
            fail("more than " + std::to_string(kMaxBytes) + " bytes, beyond a day of play");
        } else if (result == LineReader::Result::TooLong) {
            fail("a line longer than " + std::to_string(kMaxLineBytes) + " bytes");
        } else if (!lines.endedWithLineFeed() && isRecording()) {
            // A recording is written line by line; one cut off mid-line is damaged.
            fail("cut off mid-line");
        } else {
            takeLine(line);
        }
        if (!script.error.empty()) return script;
    }
    if (isRecording() && !frameTimed) fail(frameWithoutTime(frame));
    // A hand-written script may list its frames in any order.
    std::stable_sort(script.events.begin(), script.events.end(),
                     [](const Event& a, const Event& b) { return a.frame < b.frame; });
    return script;
}

bool Parser::takeLine(const std::string& line) {
    const std::vector<std::string> words = split(line);
    if (words.empty() || words[0][0] == '#') return true;
    if (first && words[0] == kHeaderWord) return takeHeader(words);
    first = false;
    if (script.version >= kFirstVersionWithLook) {
        // First after the header, and once: it holds for the whole recording.
        if (words[0] == kLookWord) return takeLook(words);
        if (!lookSeen) return fail("no look line ('look SENSITIVITY normal|inverted')");
    }
    if (words[0] == kSceneWord) return takeScene(words);
    return takeEvent(words);
}

bool Parser::takeHeader(const std::vector<std::string>& words) {
    first = false;
    if (words.size() == 2 &&
        Numbers::read(words[1], Numbers::Bounds::within(1, kRecordingVersion), script.version)) {
        return true;
    }
    return fail("unsupported format version");
}

// "look SENSITIVITY normal|inverted"
bool Parser::takeLook(const std::vector<std::string>& words) {
    if (lookSeen) return fail("look line out of place");
    if (!readLook(words, 1, script.version, script.look)) return fail("bad look line");
    lookSeen = true;
    return true;
}

// "scene NAME": once, before any frame, so that the whole script plays in one scene.
bool Parser::takeScene(const std::vector<std::string>& words) {
    if (sceneSeen || !script.events.empty()) return fail("scene line out of place");
    std::string why;
    if (words.size() != 2) return fail("bad scene line ('scene NAME')");
    if (!SceneLayout::read(words[1], script.scene, why)) return fail(why);
    sceneSeen = true;
    return true;
}

bool Parser::takeEvent(const std::vector<std::string>& words) {
    Event event;
    std::string what;
    if (!readEvent(words, event, what)) return fail(what);
    if (isRecording() && !followFrames(event)) return false;
    script.events.push_back(event);
    script.lastFrame = std::max(script.lastFrame, event.frame);
    return true;
}

// "what" tells a frame beyond the bound from one that is no frame number at all.
bool Parser::readEvent(const std::vector<std::string>& words, Event& event,
                       std::string& what) const {
    what = "bad frame number";
    if (words.size() < 2 ||
        !Numbers::read(words[0], Numbers::Bounds::within(1, std::numeric_limits<int>::max()),
                       event.frame)) {
        return false;
    }
    what = "frame beyond " + std::to_string(kMaxFrame) + " (a day at 60 frames/s)";
    if (event.frame > kMaxFrame) return false;
    const std::string& verb = words[1];
    what = "unknown line";
    if (verb == "press" || verb == "release") {
        event.kind = verb == "press" ? Event::Kind::Press : Event::Kind::Release;
        return readAction(words, event.action, what);
    }
    what = "bad number";
    if (verb == "mouse") {
        event.kind = Event::Kind::Mouse;
        return words.size() == 4 && readMotion(words[2], event.dx) &&
               readMotion(words[3], event.dy);
    }
    if (verb == "delta" && isRecording()) {
        event.kind = Event::Kind::Delta;
        return words.size() == 3 && readSeconds(words[2], event.seconds);
    }
    if (verb == "ticks" && script.version >= kFirstVersionWithTicks) {
        event.kind = Event::Kind::Delta;
        int ticks = 0;
        if (words.size() != 3 || !Numbers::read(words[2], kTicksBounds, ticks)) return false;
        event.seconds = ticks / Platform::kTimerTicksPerSecond;
        return true;
    }
    if (verb == kLookWord && script.version >= kFirstVersionWithLook) {
        event.kind = Event::Kind::Look;
        what = "bad look line";
        return readLook(words, 2, script.version, event.look);
    }
    what = "unknown line";
    event.kind = Event::Kind::Dump;
    return verb == "dump" && words.size() == 2;
}

// Frames in turn, each with exactly one time: a frame run on the wall clock would replay
// differently wherever it ran.
bool Parser::followFrames(const Event& event) {
    if (event.frame < frame) {
        return fail("frame " + std::to_string(event.frame) + " after frame " +
                    std::to_string(frame));
    }
    if (event.frame > frame) {
        if (!frameTimed) return fail(frameWithoutTime(frame));
        if (event.frame > frame + 1) return fail(frameWithoutTime(frame + 1));
        frame = event.frame;
        frameTimed = false;
    }
    if (event.kind != Event::Kind::Delta) return true;
    if (frameTimed) return fail("frame " + std::to_string(frame) + " has a second 'delta' line");
    frameTimed = true;
    return true;
}

}  // namespace

Frame Script::at(int frame) const {
    const auto byFrame = [](const Event& e, int f) { return e.frame < f; };
    const auto from = std::lower_bound(events.begin(), events.end(), frame, byFrame);
    const auto to = std::lower_bound(from, events.end(), frame + 1, byFrame);
    return {events.data() + (from - events.begin()), events.data() + (to - events.begin())};
}

Script parse(std::istream& in, const std::string& name) {
    return Parser(in, name).run();
}

namespace {

// A compact recording, read whole up to the bound a text one has.
Script readCompact(std::istream& in, const std::string& name) {
    constexpr std::size_t kReadBytes = 1 << 16;
    std::string bytes;
    char part[kReadBytes];
    while (bytes.size() <= kMaxBytes && in.read(part, sizeof part).gcount() > 0) {
        bytes.append(part, static_cast<std::size_t>(in.gcount()));
    }
    if (bytes.size() > kMaxBytes) {
        Script script;
        script.error = shownSafely(name) + ": more than " + std::to_string(kMaxBytes) + " bytes";
        return script;
    }
    return CompactRecording::decode(bytes, name);
}

Script readEither(std::istream& in, const std::string& name) {
    if (CompactRecording::isLeadByte(in.peek())) return readCompact(in, name);
    return parse(in, name);
}

}  // namespace

Script readFile(const std::string& path, const std::string& name) {
    Platform::RegularFile file;
    Script script;
    if (file.open(path)) script = readEither(file.stream(), name);
    // A file that failed while being read is not what it seemed to hold up to there.
    if (!file.isOpen() || !file.readError().empty()) {
        script.error = "cannot read " + shownSafely(name) + ": " +
                       (file.isOpen() ? file.readError() : file.why());
    }
    return script;
}

Script readReplay(const std::string& path, const std::string& name, bool mustBeRecording) {
    Script script = readFile(path, name);
    if (script.error.empty() && (mustBeRecording || script.version >= kFirstRecordingVersion)) {
        script.error = whyNotReplayable(script, name);
    }
    return script;
}

std::string whyNotReplayable(const Script& script, const std::string& name) {
    if (script.version < kFirstRecordingVersion) {
        return shownSafely(name) + ":1: not a recording (no '" + kHeaderWord + "' line)";
    }
    if (script.lastFrame < 1) return shownSafely(name) + ":1: a recording without frames";
    return {};
}

bool readLookLine(const std::string& line, LookSettings& look) {
    const std::vector<std::string> words = split(line);
    return line.size() > 1 && line.back() == '\n' && !words.empty() && words[0] == kLookWord &&
           readLook(words, 1, kRecordingVersion, look);
}

const std::vector<Action>& recordedActions() {
    static const std::vector<Action> actions = [] {
        std::vector<Action> all;
        for (const Controls::ActionControl& control : Controls::all()) {
            if (control.drivesTheGame) all.push_back(control.action);
        }
        return all;
    }();
    return actions;
}

std::string headerLine() {
    return std::string(kHeaderWord) + " " + std::to_string(kRecordingVersion) + "\n";
}

std::string lookLine(const LookSettings& look) {
    char text[64];
    std::snprintf(text, sizeof text, "%s %.*g %s %d\n", kLookWord, kExactFloatDigits,
                  static_cast<double>(look.sensitivity), look.invertY ? kInvertedWord : kNormalWord,
                  look.fieldOfView);
    return text;
}

bool wholeTicks(double seconds, int& ticks) {
    const double count = seconds * Platform::kTimerTicksPerSecond;
    if (!(count >= 0.0 && count <= kTicksBounds.highest) || count != std::floor(count)) {
        return false;
    }
    ticks = static_cast<int>(count);
    return true;
}

std::string deltaLine(int frame, double seconds) {
    char text[64];
    int ticks = 0;
    if (wholeTicks(seconds, ticks)) {
        std::snprintf(text, sizeof text, "%d ticks %d\n", frame, ticks);
    } else {
        std::snprintf(text, sizeof text, "%d delta %.*g\n", frame, kExactDigits, seconds);
    }
    return text;
}

std::string actionLine(int frame, Action action, bool down) {
    return std::to_string(frame) + (down ? " press " : " release ") + Controls::of(action).name +
           "\n";
}

std::string sceneLine(const SceneLayout::Choice& scene) {
    if (scene == SceneLayout::Choice{}) return {};
    return std::string(kSceneWord) + " " + SceneLayout::nameOf(scene) + "\n";
}

std::string lookLine(int frame, const LookSettings& look) {
    return std::to_string(frame) + " " + lookLine(look);
}

std::string mouseLine(int frame, int dx, int dy) {
    return std::to_string(frame) + " mouse " + std::to_string(dx) + " " + std::to_string(dy) + "\n";
}

std::string write(const Script& script) {
    std::string text = headerLine() + lookLine(script.look) + sceneLine(script.scene);
    for (const Event& e : script.events) {
        switch (e.kind) {
            case Event::Kind::Delta:
                text += deltaLine(e.frame, e.seconds);
                break;
            case Event::Kind::Look:
                text += lookLine(e.frame, e.look);
                break;
            case Event::Kind::Mouse:
                text += mouseLine(e.frame, e.dx, e.dy);
                break;
            case Event::Kind::Dump:
                text += std::to_string(e.frame) + " dump\n";
                break;
            case Event::Kind::Press:
            case Event::Kind::Release:
                text += actionLine(e.frame, e.action, e.kind == Event::Kind::Press);
                break;
        }
    }
    return text;
}

}  // namespace Script
