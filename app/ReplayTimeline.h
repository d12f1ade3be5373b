#pragma once

#include <string>

#include "input/Controls.h"

class Input;

// Where a replay stands, and the viewer's own controls over it (their devices, not the
// recording's): the pause key holds the replay at its frame and lets it go on, the step key goes a
// frame forward while held (back with the run key down), and the slower and faster keys seek
// about ten seconds back and on. Plain data: the run seeks where it is told.
class ReplayTimeline {
public:
    // The frame the viewer's presses this frame ask for, within 1..lastFrame; 0 for none (or the
    // frame it stands at).
    int follow(const Input& input, int frame, int lastFrame);
    bool isHeld() const { return held; }
    void hold(bool on) { held = on; }
    // Two lines: the frame with a bar of the replay's length, then the keys that move it.
    std::string text(int frame, int lastFrame, const Controls::KeyMap& keys) const;

private:
    bool held = false;
};
