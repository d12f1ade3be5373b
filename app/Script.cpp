#include "app/Script.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "app/Settings.h"
#include "platform/Platform.h"

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

// Whole-word numbers only: "12x" or "1e999" is a bad number, not 12 or infinity.
bool readInt(const std::string& word, int& value) {
    if (word.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(word.c_str(), &end, 10);
    if (*end != '\0' || errno == ERANGE || parsed < -1000000000L || parsed > 1000000000L) {
        return false;
    }
    value = static_cast<int>(parsed);
    return true;
}

bool readSeconds(const std::string& word, double& value) {
    if (word.empty()) return false;
    char* end = nullptr;
    value = std::strtod(word.c_str(), &end);
    // Overflow reads as infinity and is refused; an underflow still reads as the tiny value.
    return *end == '\0' && std::isfinite(value) && value >= 0.0;
}

// The words of a line; "what" says what is wrong when it returns false.
bool parseEvent(const std::vector<std::string>& words, int version, int& frame, Event& event,
                std::string& what) {
    what = "bad frame number";
    if (words.size() < 2 || !readInt(words[0], frame) || frame < 1) return false;
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
        return words.size() == 4 && readInt(words[2], event.dx) && readInt(words[3], event.dy);
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
    if (words.size() != 3 || !Settings::readSensitivity(words[1], sensitivity)) return false;
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
    std::string line;
    bool first = true;
    bool lookSeen = false;
    for (int number = 1; std::getline(in, line); ++number) {
        auto fail = [&](const std::string& what) {
            script.error = name + ":" + std::to_string(number) + ": " + what;
            return script;
        };
        // A recording is written line by line; one cut off mid-line is damaged.
        if (in.eof() && script.version >= kFirstRecordingVersion) return fail("cut off mid-line");
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::vector<std::string> words = split(line);
        if (words.empty() || words[0][0] == '#') continue;
        if (first && words[0] == kHeaderWord) {
            first = false;
            int version = 0;
            if (words.size() != 2 || !readInt(words[1], version) || version < 1 ||
                version > kRecordingVersion) {
                return fail("unsupported format version");
            }
            script.version = version;
            continue;
        }
        first = false;
        if (script.version >= kRecordingVersion && words[0] == kLookWord) {
            // Once, before any frame: it holds for the whole recording.
            if (lookSeen || !script.byFrame.empty()) return fail("look line out of place");
            if (!parseLook(words, script.look)) return fail("bad look line");
            lookSeen = true;
            continue;
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
