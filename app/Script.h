#pragma once

#include <cstddef>
#include <istream>
#include <map>
#include <string>
#include <vector>

#include "input/Input.h"

// Timed inputs: kelvarin-sim's scripts, and the recordings the game writes with --record. One
// event a line:
//   FRAME press BINDING      FRAME release BINDING
//   FRAME mouse DX DY        FRAME dump
//   FRAME delta SECONDS      (recordings only)
// BINDING is forward, left, back, right, run, fire, rewind or quit. Events of frame F apply just
// before frame F runs (frames count from 1); "dump" prints the bricks after frame F. Blank lines
// and lines starting with '#' are ignored.
//
// A recording starts with the line "kelvarin-script 3" (or 2), gives each frame's measured delta
// exactly (17 significant digits), and its press and release lines are the states the game
// sampled, sticky keys included; its frames never go backwards and every line ends with a line
// feed. Version 3, which the game writes, adds on its second line the look settings it was played
// with, "look SENSITIVITY normal|inverted"; a replay turns the view with those, and a version 2
// recording with the defaults. A script without a header is version 1: hand-written presses and
// releases of the keys.
//
// Bounds, so that no file can make a reader run away: lines of at most kMaxLineBytes, and frame
// numbers up to kMaxFrame; what a script holds in memory grows with its events only.
namespace Script {

constexpr int kFirstRecordingVersion = 2;
constexpr int kRecordingVersion = 3;
// A day of play at 60 frames/s.
constexpr int kMaxFrame = 24 * 60 * 60 * 60;
constexpr std::size_t kMaxLineBytes = 4096;

struct Event {
    enum class Kind { Press, Release, Mouse, Dump, Delta };
    Kind kind = Kind::Dump;
    int code = 0;  // key code or mouse button, 2.x numbering
    bool isMouseButton = false;
    int dx = 0;
    int dy = 0;
    double seconds = 0.0;
};

struct Script {
    int version = 1;
    std::map<int, std::vector<Event>> byFrame;
    // The highest frame any line names.
    int lastFrame = 0;
    LookSettings look;
    // Empty when the whole script parsed; else "NAME:LINE: what is wrong".
    std::string error;
};

// name labels error messages (the file's path).
Script parse(std::istream& in, const std::string& name);
// The file at path (a regular file only), read whole; name labels the messages. A file that
// cannot be read gives the error "cannot read NAME: why".
Script readFile(const std::string& path, const std::string& name);

// Why a script that read without error cannot be replayed as a recording (it starts with no
// header, or holds no frame), as "NAME:LINE: what"; empty when it can.
std::string whyNotReplayable(const Script& script, const std::string& name);
// A press or release of the quit binding (Escape): a press ends a run after its frame.
bool isQuit(const Event& event);

// The bindings a recording writes, in the order it writes them.
struct Binding {
    const char* name;
    int code;
    bool isMouseButton;
};
const std::vector<Binding>& recordedBindings();

// The lines a recording is made of, each ending with a line feed.
std::string headerLine();
std::string lookLine(const LookSettings& look);
std::string deltaLine(int frame, double seconds);
std::string keyLine(int frame, const Binding& binding, bool down);
std::string mouseLine(int frame, int dx, int dy);
// A recording as text again: the header, then every event in its frame's order. Reading a
// recording and writing it gives back the same bytes.
std::string write(const Script& script);

}  // namespace Script
