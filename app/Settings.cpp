#include "app/Settings.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

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
                   : "sensitivity is a number above 0, up to 10";
    }
    return "unknown setting '" + key + "'";
}

}  // namespace

bool readSensitivity(const std::string& word, float& value) {
    if (word.empty()) return false;
    char* end = nullptr;
    const double parsed = std::strtod(word.c_str(), &end);
    if (*end != '\0' || !std::isfinite(parsed) || parsed <= 0.0 ||
        parsed > LookSettings::kMaxSensitivity) {
        return false;
    }
    value = static_cast<float>(parsed);
    return true;
}

Read parse(std::istream& in, const std::string& name) {
    Read read;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string content = trimmed(line.substr(0, line.find('#')));
        if (content.empty()) continue;
        const std::size_t equals = content.find('=');
        std::string problem = "not a 'key = value' line";
        if (equals != std::string::npos) {
            Values candidate = read.values;
            problem = apply(trimmed(content.substr(0, equals)), trimmed(content.substr(equals + 1)),
                            candidate);
            if (problem.empty()) read.values = candidate;
        }
        if (!problem.empty()) {
            read.problems.push_back(name + ":" + std::to_string(number) + ": " + problem);
        }
    }
    return read;
}

Read readFile(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) return {};
    std::ifstream file(path);
    if (!std::filesystem::is_regular_file(path, error) || !file) {
        Read read;
        const std::string why = std::filesystem::is_directory(path, error) ? "a folder stands there"
                                                                           : std::strerror(errno);
        read.problems.push_back(path + ":1: cannot be read (" + why + "); the defaults are used");
        return read;
    }
    return parse(file, path);
}

std::string defaultPath() {
#ifdef _WIN32
    const char* appData = std::getenv("APPDATA");
    if (appData && *appData) return std::string(appData) + "\\Kelvarin\\settings.ini";
#else
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && *config) return std::string(config) + "/kelvarin/settings.ini";
    const char* home = std::getenv("HOME");
    if (home && *home) return std::string(home) + "/.config/kelvarin/settings.ini";
#endif
    return {};
}

}  // namespace Settings
