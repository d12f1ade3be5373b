#pragma once

#include <istream>
#include <string>
#include <vector>

#include "input/LookSettings.h"

// The player's settings file: plain "key = value" lines, '#' starting a comment, keys fullscreen,
// sensitivity and invert_y. Command-line options win over it. The game only reads it; it never
// refuses to start over it: a missing file says nothing, and an unreadable file, an unknown key or
// a bad value gives one line "FILE:LINE: problem" and leaves that key at its default.
//
// A settings file is a few short lines, so the reader has bounds: only regular files are read (a
// FIFO or a device would never end), at most kMaxFileBytes of them, lines of at most kMaxLineBytes,
// and at most kMaxProblemsNamed problems are named, the rest counted in one more line. A UTF-8
// byte-order mark at the start (as Windows editors write) is skipped.
namespace Settings {

constexpr std::size_t kMaxFileBytes = 64 * 1024;
constexpr std::size_t kMaxLineBytes = 1024;
constexpr int kMaxProblemsNamed = 10;

struct Values {
    bool fullscreen = false;
    LookSettings look;
};

struct Read {
    Values values;
    // Each a line "NAME:LINE: problem", in the order met, text from the file shown escaped.
    std::vector<std::string> problems;
};

// name labels the problems (the file's path).
Read parse(std::istream& in, const std::string& name);
// A missing file (or an empty path: no settings file on this system, see
// Platform::settingsFilePath) reads as the defaults, without a problem.
Read readFile(const std::string& path);

}  // namespace Settings
