#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "input/Controls.h"
#include "input/LookSettings.h"
#include "scene/SceneLayout.h"

// Timed inputs: kelvarin-sim's scripts, and the recordings the game writes with --record. One
// event a line, frames counting from 1, '#' starting a comment:
//   FRAME press ACTION      FRAME release ACTION      (ACTION as Controls names it)
//   FRAME mouse DX DY       FRAME dump
//   FRAME delta SECONDS     FRAME look SENSITIVITY normal|inverted FOV    (recordings only)
//   FRAME ticks TICKS       (recordings from version 5: the time in whole clock ticks)
// A script without a header is hand-written, in any order of frames. A recording starts with
// "kelvarin-script 5" (or 2 to 4), then, from version 3, "look SENSITIVITY normal|inverted" with,
// from version 4, the field of view in degrees, which a frame's look line changes from that frame
// on. Then, in any script, "scene NAME" names the scene played, before the first frame (a script
// without it plays the game's wall). Each frame of a recording in turn has its measured time
// exactly,
// so it replays the same everywhere, and its presses and releases are the states the game
// sampled. Bounds keep any file from making a reader run away.
namespace Script {

constexpr int kFirstRecordingVersion = 2;
// Version 3 brought the look's line, version 4 its field of view, version 5 times in ticks.
constexpr int kFirstVersionWithLook = 3;
constexpr int kFirstVersionWithFieldOfView = 4;
constexpr int kFirstVersionWithTicks = 5;
constexpr int kRecordingVersion = 5;
// A day of play at 60 frames/s.
constexpr int kMaxFrame = 24 * 60 * 60 * 60;
constexpr std::size_t kMaxLineBytes = 4096;
// 64 bytes a frame for a day: twice what a session looking around all the time takes.
constexpr std::size_t kMaxBytes = std::size_t{64} * kMaxFrame;

struct Event {
    enum class Kind : std::uint8_t { Press, Release, Mouse, Dump, Delta, Look };
    int frame = 0;
    Kind kind = Kind::Dump;
    Action action = Action::Quit;
    int dx = 0;
    int dy = 0;
    double seconds = 0.0;
    LookSettings look;
};

// The events of one frame, in the order of the text.
struct Frame {
    const Event* first = nullptr;
    const Event* last = nullptr;
    const Event* begin() const { return first; }
    const Event* end() const { return last; }
};

struct Script {
    int version = 1;
    // In frame order.
    std::vector<Event> events;
    // The highest frame any line names.
    int lastFrame = 0;
    LookSettings look;
    // The scene played, from the "scene NAME" line before the first frame; the game's wall when
    // there is none.
    SceneLayout::Choice scene;
    // Read from the compact form rather than from text.
    bool compact = false;
    // Empty when the whole script parsed; else "NAME:LINE: what is wrong".
    std::string error;

    Frame at(int frame) const;
};

// name labels error messages (the file's path).
Script parse(std::istream& in, const std::string& name);
// The file at path (a regular file only), read whole; a file that cannot be read gives the error
// "cannot read NAME: why".
Script readFile(const std::string& path, const std::string& name);
// The file read whole and, where it must be (a replay) or says it is (kelvarin-sim), checked to
// be a recording with frames; error says what is wrong.
Script readReplay(const std::string& path, const std::string& name, bool mustBeRecording);
// Why a script that read without error cannot be replayed as a recording (it starts with no
// header, or holds no frame), as "NAME:LINE: what"; empty when it can.
std::string whyNotReplayable(const Script& script, const std::string& name);

// "look SENSITIVITY normal|inverted FOV" as the current version writes it, ending in a line feed.
bool readLookLine(const std::string& line, LookSettings& look);

// The actions a recording writes, in the order it writes them: those that drive the game.
const std::vector<Action>& recordedActions();

// The lines a recording is made of, each ending with a line feed.
std::string headerLine();
std::string lookLine(const LookSettings& look);
// "scene NAME", or nothing for the game's wall, which recordings have always played.
std::string sceneLine(const SceneLayout::Choice& scene);
// In whole ticks where the time is a whole number of them, else in seconds.
std::string deltaLine(int frame, double seconds);
// The time as a whole number of clock ticks; false when it is not one.
bool wholeTicks(double seconds, int& ticks);
std::string actionLine(int frame, Action action, bool down);
std::string mouseLine(int frame, int dx, int dy);
// The look settings from this frame on.
std::string lookLine(int frame, const LookSettings& look);
// A recording as text again: reading a recording and writing it gives back the same bytes.
std::string write(const Script& script);

}  // namespace Script
