#pragma once

#include <istream>
#include <map>
#include <string>
#include <vector>

// A timed input script for kelvarin-sim. One event a line:
//   FRAME press BINDING      FRAME release BINDING
//   FRAME mouse DX DY        FRAME dump
// BINDING is forward, left, back, right, run, fire, rewind or quit. Events of frame F are applied
// just before frame F runs (frames count from 1); "dump" prints the bricks after frame F.
// Blank lines and lines starting with '#' are ignored.
namespace SimScript {

struct Event {
    enum class Kind { Press, Release, Mouse, Dump };
    Kind kind = Kind::Dump;
    int code = 0;  // key code or mouse button, 2.x numbering
    bool isMouseButton = false;
    int dx = 0;
    int dy = 0;
};

struct Script {
    std::map<int, std::vector<Event>> byFrame;
    std::string error;  // empty when the whole script parsed
};

Script parse(std::istream& in);

}  // namespace SimScript
