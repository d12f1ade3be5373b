#include "app/Settings.h"

#include <algorithm>
#include <iterator>
#include <sstream>
#include <string_view>

#include "app/SettingsTable.h"
#include "core/LineReader.h"
#include "input/Keys.h"
#include "platform/RegularFile.h"

namespace Settings {
namespace {

constexpr const char* kBlanks = " \t";
constexpr std::string_view kByteOrderMark = "\xef\xbb\xbf";

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// A line's key and value, and what follows them (a comment) as it stands; false for a line
// without '='.
struct Assignment {
    std::string key;
    std::string value;
    std::string comment;
};

bool assignmentOf(const std::string& line, Assignment& assignment) {
    const std::size_t hash = line.find('#');
    const std::string content = line.substr(0, hash);
    const std::size_t equals = content.find('=');
    if (equals == std::string::npos) return false;
    assignment.key = trimmed(content.substr(0, equals));
    assignment.value = trimmed(content.substr(equals + 1));
    assignment.comment = hash == std::string::npos ? "" : " " + line.substr(hash);
    return true;
}

// The problem with one line, or empty when it was used (or holds nothing).
std::string applyLine(const std::string& line, Values& values) {
    if (trimmed(line.substr(0, line.find('#'))).empty()) return {};
    Assignment assignment;
    if (!assignmentOf(line, assignment)) return "not a 'key = value' line";
    const Setting* setting = find(assignment.key);
    if (!setting) return "unknown setting '" + shownSafely(assignment.key) + "'";
    Values candidate = values;
    std::string problem = setting->read(assignment.value, candidate);
    if (problem.empty()) values = candidate;
    return problem;
}

// Names the first kMaxProblemsNamed problems, in the order of their lines, and counts the rest.
class Problems {
public:
    Problems(std::vector<std::string>& out, const std::string& name) : out(out), name(name) {}
    void add(int line, const std::string& problem) { found.push_back({line, problem}); }
    void finish(bool cutShort) {
        std::stable_sort(found.begin(), found.end(),
                         [](const Found& a, const Found& b) { return a.line < b.line; });
        const std::size_t named = std::min<std::size_t>(found.size(), kMaxProblemsNamed);
        for (std::size_t i = 0; i < named; ++i) {
            out.push_back(name + ":" + std::to_string(found[i].line) + ": " + found[i].problem);
        }
        if (found.size() > named) {
            out.push_back(name + ": " + std::to_string(found.size() - named) +
                          " more lines could not be used");
        }
        if (cutShort) {
            out.push_back(name + ": only its first " + std::to_string(kMaxFileBytes) +
                          " bytes are read");
        }
    }

private:
    struct Found {
        int line;
        std::string problem;
    };
    std::vector<std::string>& out;
    const std::string& name;
    std::vector<Found> found;
};

// The last line giving each action a key.
struct KeyLine {
    int line;
    Action action;
};

// Keys given in the file are taken together, so that two may change places in any order of
// lines; a key another action keeps is refused, the later line first, and that action keeps its
// default key.
void takeKeysApart(std::vector<KeyLine> given, Values& values, Problems& problems) {
    const Controls::KeyMap defaults = Controls::defaultKeys();
    for (bool refused = true; refused;) {
        refused = false;
        for (auto it = given.rbegin(); it != given.rend() && !refused; ++it) {
            const int key = values.keys[it->action];
            const Action holder = values.keys.holder(key, it->action);
            if (holder == Action::Count) continue;
            problems.add(it->line, std::string(kKeyPrefix) + Controls::of(it->action).name + ": " +
                                       Keys::name(key) + " is the key of " +
                                       Controls::of(holder).name + " already");
            values.keys[it->action] = defaults[it->action];
            given.erase(std::next(it).base());
            refused = true;
        }
    }
}

}  // namespace

bool Values::operator==(const Values& that) const {
    for (const Setting& setting : table()) {
        if (setting.write(*this) != setting.write(that)) return false;
    }
    return true;
}

Read parse(std::istream& in, const std::string& name) {
    Read read;
    const std::string shownName = shownSafely(name);
    Problems problems(read.problems, shownName);
    LineReader lines(in, kMaxLineBytes, kMaxFileBytes);
    std::vector<KeyLine> keyLines;
    std::string line;
    for (LineReader::Result result; (result = lines.next(line)) != LineReader::Result::End;) {
        if (result == LineReader::Result::TooLong) {
            problems.add(lines.number(),
                         "a line longer than " + std::to_string(kMaxLineBytes) + " bytes");
            continue;
        }
        const Controls::KeyMap keysBefore = read.values.keys;
        const std::string problem = applyLine(line, read.values);
        if (!problem.empty()) problems.add(lines.number(), problem);
        for (const Controls::ActionControl& control : Controls::all()) {
            if (read.values.keys[control.action] == keysBefore[control.action]) continue;
            keyLines.erase(
                std::remove_if(keyLines.begin(), keyLines.end(),
                               [&](const KeyLine& k) { return k.action == control.action; }),
                keyLines.end());
            keyLines.push_back({lines.number(), control.action});
        }
    }
    takeKeysApart(keyLines, read.values, problems);
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

std::vector<std::pair<std::string, std::string>> written(const Values& values) {
    std::vector<std::pair<std::string, std::string>> all;
    for (const Setting& setting : table()) all.emplace_back(setting.key, setting.write(values));
    return all;
}

std::string set(Values& values, const std::string& key, const std::string& value) {
    const Setting* setting = find(key);
    if (!setting) return "unknown setting '" + shownSafely(key) + "'";
    Values candidate = values;
    const std::string problem = setting->read(value, candidate);
    if (!problem.empty()) return problem;
    for (const Controls::ActionControl& control : Controls::all()) {
        const int key = candidate.keys[control.action];
        if (key == values.keys[control.action]) continue;
        candidate.keys = values.keys;
        candidate.keys.give(key, control.action);
        break;
    }
    values = candidate;
    return "";
}

Values carried(Values inFile, const Values& before, const Values& after) {
    for (const Setting& setting : table()) {
        if (setting.write(after) != setting.write(before)) setting.copy(after, inFile);
    }
    return inFile;
}

std::string rewrite(const std::string& text, const Values& before, const Values& after) {
    std::vector<const Setting*> changed;
    for (const Setting& setting : table()) {
        if (setting.write(before) != setting.write(after)) changed.push_back(&setting);
    }
    std::string out;
    std::vector<bool> written(changed.size(), false);
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        // A line's end and a byte-order mark stay as the player's editor wrote them.
        const bool carriageReturn = !line.empty() && line.back() == '\r';
        if (carriageReturn) line.pop_back();
        const bool marked =
            out.empty() && line.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0;
        if (marked) line.erase(0, kByteOrderMark.size());
        Assignment assignment;
        for (std::size_t i = 0; i < changed.size() && assignmentOf(line, assignment); ++i) {
            if (assignment.key != changed[i]->key) continue;
            line = assignment.key + " = " + changed[i]->write(after) + assignment.comment;
            written[i] = true;
        }
        out +=
            (marked ? std::string(kByteOrderMark) : "") + line + (carriageReturn ? "\r\n" : "\n");
    }
    for (std::size_t i = 0; i < changed.size(); ++i) {
        const std::string value = changed[i]->write(after);
        if (!written[i]) out += changed[i]->key + " = " + value + "\n";
    }
    return out;
}

bool save(const std::string& path, const Values& before, const Values& after, std::string& why) {
    std::string text(kMaxFileBytes + 1, '\0');
    Platform::RegularFile file;
    std::size_t length = 0;
    if (file.open(path)) {
        file.stream().read(text.data(), static_cast<std::streamsize>(text.size()));
        length = static_cast<std::size_t>(file.stream().gcount());
    }
    text.resize(length);
    if (!file.isOpen() && !file.isMissing()) {
        why = file.why();
        return false;
    }
    if (!file.readError().empty() || text.size() > kMaxFileBytes) {
        why = file.readError().empty() ? "it is longer than the game reads" : file.readError();
        return false;
    }
    return Platform::replaceFile(path, rewrite(text, before, after), why);
}

}  // namespace Settings
