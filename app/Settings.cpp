#include "app/Settings.h"

#include "core/LineReader.h"
#include "platform/RegularFile.h"

namespace Settings {
namespace {

constexpr const char* kTrueWords[] = {"true", "yes", "on", "1"};
constexpr const char* kFalseWords[] = {"false", "no", "off", "0"};
constexpr const char* kBlanks = " \t";

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool isOneOf(const std::string& word, const char* const (&words)[4]) {
    for (const char* w : words) {
        if (word == w) return true;
    }
    return false;
}

bool readSwitch(const std::string& word, bool& value) {
    if (!isOneOf(word, kTrueWords) && !isOneOf(word, kFalseWords)) return false;
    value = isOneOf(word, kTrueWords);
    return true;
}

// The problem with one key and its value, or empty when the value was taken.
std::string apply(const std::string& key, const std::string& value, Values& values) {
    if (key == "fullscreen") {
        return readSwitch(value, values.fullscreen) ? "" : "fullscreen is true or false";
    }
    if (key == "invert_y") {
        return readSwitch(value, values.look.invertY) ? "" : "invert_y is true or false";
    }
    if (key == "sensitivity") {
        return readSensitivity(value, values.look.sensitivity)
                   ? ""
                   : std::string("sensitivity is ") + LookSettings::kSensitivityRange;
    }
    return "unknown setting '" + shownSafely(key) + "'";
}

// The problem with one line, or empty when it was used (or holds nothing).
std::string applyLine(const std::string& line, Values& values) {
    const std::string content = trimmed(line.substr(0, line.find('#')));
    if (content.empty()) return {};
    const std::size_t equals = content.find('=');
    if (equals == std::string::npos) return "not a 'key = value' line";
    Values candidate = values;
    std::string problem =
        apply(trimmed(content.substr(0, equals)), trimmed(content.substr(equals + 1)), candidate);
    if (problem.empty()) values = candidate;
    return problem;
}

// Names the first kMaxProblemsNamed problems and counts the rest.
class Problems {
public:
    Problems(std::vector<std::string>& out, const std::string& name) : out(out), name(name) {}
    void add(int line, const std::string& problem) {
        if (++count > kMaxProblemsNamed) return;
        out.push_back(name + ":" + std::to_string(line) + ": " + problem);
    }
    void finish(bool cutShort) {
        if (count > kMaxProblemsNamed) {
            out.push_back(name + ": " + std::to_string(count - kMaxProblemsNamed) +
                          " more lines could not be used");
        }
        if (cutShort) {
            out.push_back(name + ": only its first " + std::to_string(kMaxFileBytes) +
                          " bytes are read");
        }
    }

private:
    std::vector<std::string>& out;
    const std::string& name;
    int count = 0;
};

}  // namespace

Read parse(std::istream& in, const std::string& name) {
    Read read;
    const std::string shownName = shownSafely(name);
    Problems problems(read.problems, shownName);
    LineReader lines(in, kMaxLineBytes, kMaxFileBytes);
    std::string line;
    for (LineReader::Result result; (result = lines.next(line)) != LineReader::Result::End;) {
        if (result == LineReader::Result::TooLong) {
            problems.add(lines.number(),
                         "a line longer than " + std::to_string(kMaxLineBytes) + " bytes");
            continue;
        }
        const std::string problem = applyLine(line, read.values);
        if (!problem.empty()) problems.add(lines.number(), problem);
    }
    problems.finish(lines.cutShort());
    return read;
}

Read readFile(const std::string& path) {
    Platform::RegularFile file;
    Read read;
    if (file.open(path)) read = parse(file.stream(), path);
    if (file.isMissing()) return read;
    const std::string why = file.isOpen() ? file.readError() : file.why();
    if (why.empty()) return read;
    // What was read before a failed read is not all the file holds.
    read = Read();
    read.problems.push_back(shownSafely(path) + ":1: cannot be read (" + why +
                            "); the defaults are used");
    return read;
}

}  // namespace Settings
