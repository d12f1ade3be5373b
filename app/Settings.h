#pragma once

#include <istream>
#include <string>
#include <vector>

#include "input/Input.h"

// The player's settings file: plain "key = value" lines, '#' starting a comment, keys fullscreen,
// sensitivity and invert_y. Command-line options win over it. The game only reads it; it never
// refuses to start over it: a missing file says nothing, and an unreadable file, an unknown key or
// a bad value gives one line "FILE:LINE: problem" and leaves that key at its default.
namespace Settings {

struct Values {
    bool fullscreen = false;
    LookSettings look;
};

struct Read {
    Values values;
    // Each a line "NAME:LINE: problem", in the order met.
    std::vector<std::string> problems;
};

// name labels the problems (the file's path).
Read parse(std::istream& in, const std::string& name);
// A sensitivity as the file, the command line and recordings give it: a whole-word number above 0
// and up to LookSettings::kMaxSensitivity ("2x", "nan" and "0" are not).
bool readSensitivity(const std::string& word, float& value);
// A missing file reads as the defaults, without a problem.
Read readFile(const std::string& path);
// $XDG_CONFIG_HOME/kelvarin/settings.ini, or ~/.config/kelvarin/settings.ini when that is unset;
// %APPDATA%\Kelvarin\settings.ini on Windows. Empty when none of those variables is set.
std::string defaultPath();

}  // namespace Settings
