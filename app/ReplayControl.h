#pragma once

#include <string>

#include "app/ReplayTimeline.h"

class Input;
class Session;

// A replay's control for a run, by the viewer's own devices whatever the recording pressed: held
// at its frame and let go, stepped a frame either way, sought ten seconds back and on, and its
// timeline shown at the bottom. Playing the frame sought is the run's: it plays the replay again.
class ReplayControl {
public:
    // A run without a session, or recording one, has nothing to control.
    explicit ReplayControl(const Session* session) : session(session) {}

    bool isReplaying() const;
    bool isHeld() const { return isReplaying() && timeline.isHeld(); }
    void hold(bool on) { timeline.hold(on); }
    // The replay's frames; the one replayed last.
    int length() const;
    // The frame the viewer's presses this frame ask for, within the replay; 0 for none.
    int follow(const Input& input, int frame);
    // What the timeline shows at this frame; empty when nothing is replayed.
    std::string shown(int frame, const Controls::KeyMap& keys) const;

private:
    const Session* session;
    ReplayTimeline timeline;
};
