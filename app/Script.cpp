#include "app/Script.h"

#include <cstdio>
#include <limits>
#include <sstream>

#include "core/LineReader.h"
#include "core/Numbers.h"
#include "platform/Platform.h"
#include "platform/RegularFile.h"

namespace Script {
namespace {

constexpr const char* kHeaderWord = "kelvarin-script";
constexpr const char* kLookWord = "look";
constexpr const char* kNormalWord = "normal";
constexpr const char* kInvertedWord = "inverted";
// Enough digits to give back every float exactly.
constexpr int kExactFloatDigits = 9;
// Enough digits to give back every double exactly.
constexpr int kExactDigits = 17;

const Binding kBindings[] = {
    {"forward", 'W', false},
    {"left", 'A', false},
    {"back", 'S', false},
    {"right", 'D', false},
    {"run", Platform::kKeyLShift, false},
    {"fire", Platform::kMouseButtonLeft, true},
    {"rewind", Platform::kKeySpace, false},
    {"quit", Platform::kKeyEsc, false},
};

bool findBinding(const std::string& name, Event& event) {
    for (const Binding& b : kBindings) {
        if (name == b.name) {
            event.code = b.code;
            event.isMouseButton = b.isMouseButton;
            return true;
        }
    }
    return false;
}

// Cursor motion in pixels between two frames; far more than any mouse reports.
constexpr double kMaxCursorMotion = 1e9;

// "what" tells a frame beyond the bound from one that is no frame number at all.
bool readFrame(const std::string& word, int& frame, std::string& what) {
    what = "bad frame number";
    if (!Numbers::read(word, {1, std::numeric_limits<int>::max()}, frame)) return false;
    what = "frame beyond " + std::to_string(kMaxFrame) + " (a day at 60 frames/s)";
    return frame <= kMaxFrame;
}

bool readMotion(const std::string& word, int& pixels) {
    return Numbers::read(word, {-kMaxCursorMotion, kMaxCursorMotion}, pixels);
}

bool readSeconds(const std::string& word, double& value) {
    return Numbers::read(word, {0.0, std::numeric_limits<double>::max()}, value);
}

// The words of a line; "what" says what is wrong when it returns false.
bool parseEvent(const std::vector<std::string>& words, int version, int& frame, Event& event,
                std::string& what) {
    what = "bad frame number";
    if (words.size() < 2 || !readFrame(words[0], frame, what)) return false;
    const std::string& verb = words[1];
    what = "unknown line";
    if (verb == "press" || verb == "release") {
        event.kind = verb == "press" ? Event::Kind::Press : Event::Kind::Release;
        what = "unknown binding";
        return words.size() == 3 && findBinding(words[2], event);
    }
    if (verb == "mouse") {
        event.kind = Event::Kind::Mouse;
        what = "bad number";
        return words.size() == 4 && readMotion(words[2], event.dx) &&
               readMotion(words[3], event.dy);
    }
    if (verb == "delta" && version >= kFirstRecordingVersion) {
        event.kind = Event::Kind::Delta;
        what = "bad number";
        return words.size() == 3 && readSeconds(words[2], event.seconds);
    }
    event.kind = Event::Kind::Dump;
    return verb == "dump" && words.size() == 2;
}

// "look SENSITIVITY normal|inverted"
bool parseLook(const std::vector<std::string>& words, LookSettings& look) {
    float sensitivity = 0.0f;
    if (words.size() != 3 || !readSensitivity(words[1], sensitivity)) return false;
    if (words[2] != kNormalWord && words[2] != kInvertedWord) return false;
    look.sensitivity = sensitivity;
    look.invertY = words[2] == kInvertedWord;
    return true;
}

std::vector<std::string> split(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

}  // namespace

Script parse(std::istream& in, const std::string& name) {
    Script script;
    LineReader lines(in, kMaxLineBytes);
    std::string line;
    bool first = true;
    bool lookSeen = false;
    for (LineReader::Result result; (result = lines.next(line)) != LineReader::Result::End;) {
        auto fail = [&](const std::string& what) {
            script.error = shownSafely(name) + ":" + std::to_string(lines.number()) + ": " + what;
            return script;
        };
        if (result == LineReader::Result::TooLong) {
            return fail("a line longer than " + std::to_string(kMaxLineBytes) + " bytes");
        }
        // A recording is written line by line; one cut off mid-line is damaged.
        if (!lines.endedWithLineFeed() && script.version >= kFirstRecordingVersion) {
            return fail("cut off mid-line");
        }
        const std::vector<std::string> words = split(line);
        if (words.empty() || words[0][0] == '#') continue;
        if (first && words[0] == kHeaderWord) {
            first = false;
            if (words.size() != 2 ||
                !Numbers::read(words[1], {1, kRecordingVersion}, script.version)) {
                return fail("unsupported format version");
            }
            continue;
        }
        first = false;
        if (script.version >= kRecordingVersion) {
            // First after the header, and once: it holds for the whole recording.
            if (words[0] == kLookWord) {
                if (lookSeen) return fail("look line out of place");
                if (!parseLook(words, script.look)) return fail("bad look line");
                lookSeen = true;
                continue;
            }
            if (!lookSeen) return fail("no look line ('look SENSITIVITY normal|inverted')");
        }
        int frame = 0;
        Event event;
        std::string what;
        if (!parseEvent(words, script.version, frame, event, what)) return fail(what);
        if (script.version >= kFirstRecordingVersion && frame < script.lastFrame) {
            return fail("frame " + std::to_string(frame) + " after frame " +
                        std::to_string(script.lastFrame));
        }
        script.byFrame[frame].push_back(event);
        if (frame > script.lastFrame) script.lastFrame = frame;
    }
    return script;
}

Script readFile(const std::string& path, const std::string& name) {
    Platform::RegularFile file;
    if (file.open(path)) return parse(file.stream(), name);
    Script script;
    script.error = "cannot read " + shownSafely(name) + ": " + file.why();
    return script;
}

std::string whyNotReplayable(const Script& script, const std::string& name) {
    if (script.version < kFirstRecordingVersion) {
        return shownSafely(name) + ":1: not a recording (no '" + kHeaderWord + "' line)";
    }
    if (script.lastFrame < 1) return shownSafely(name) + ":1: a recording without frames";
    return {};
}

bool isQuit(const Event& event) {
    return !event.isMouseButton && event.code == Platform::kKeyEsc &&
           (event.kind == Event::Kind::Press || event.kind == Event::Kind::Release);
}

const std::vector<Binding>& recordedBindings() {
    // Escape ends the game rather than driving it, so a recording leaves it out.
    static const std::vector<Binding> bindings(std::begin(kBindings), std::end(kBindings) - 1);
    return bindings;
}

std::string headerLine() {
    return std::string(kHeaderWord) + " " + std::to_string(kRecordingVersion) + "\n";
}

std::string lookLine(const LookSettings& look) {
    char text[64];
    std::snprintf(text, sizeof text, "%s %.*g %s\n", kLookWord, kExactFloatDigits,
                  static_cast<double>(look.sensitivity),
                  look.invertY ? kInvertedWord : kNormalWord);
    return text;
}

std::string deltaLine(int frame, double seconds) {
    char text[64];
    std::snprintf(text, sizeof text, "%d delta %.*g\n", frame, kExactDigits, seconds);
    return text;
}

std::string keyLine(int frame, const Binding& binding, bool down) {
    return std::to_string(frame) + (down ? " press " : " release ") + binding.name + "\n";
}

std::string mouseLine(int frame, int dx, int dy) {
    return std::to_string(frame) + " mouse " + std::to_string(dx) + " " + std::to_string(dy) + "\n";
}

std::string write(const Script& script) {
    std::string text = headerLine() + lookLine(script.look);
    for (const auto& [frame, events] : script.byFrame) {
        for (const Event& e : events) {
            switch (e.kind) {
                case Event::Kind::Delta:
                    text += deltaLine(frame, e.seconds);
                    break;
                case Event::Kind::Mouse:
                    text += mouseLine(frame, e.dx, e.dy);
                    break;
                case Event::Kind::Dump:
                    text += std::to_string(frame) + " dump\n";
                    break;
                case Event::Kind::Press:
                case Event::Kind::Release:
                    for (const Binding& b : kBindings) {
                        if (b.code == e.code && b.isMouseButton == e.isMouseButton) {
                            text += keyLine(frame, b, e.kind == Event::Kind::Press);
                        }
                    }
                    break;
            }
        }
    }
    return text;
}

}  // namespace Script
