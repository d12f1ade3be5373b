#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/CompactRecording.h"
#include "app/Script.h"

class Input;

struct CursorReport {
    int x = 0;
    int y = 0;
};

// What a replayed recording gives one frame instead of the devices and the clock.
struct ReplayedFrame {
    bool timed = false;
    double delta = 0.0;
    std::vector<CursorReport> cursorReports;
};

// What drives one run of the game besides the scene: a recording being written (--record) or one
// being played back (--replay, and kelvarin-sim with a recording). The frame loop calls it at
// fixed points of every frame.
class Session {
public:
    ~Session();

    // Starts writing a recording of a game played with these look settings. A path that cannot be
    // written gives one line on standard error and false; the game plays on without recording.
    bool startRecording(const std::string& path, const LookSettings& look,
                        const SceneLayout::Choice& scene = {});
    // Plays a recording back instead of the devices and the clock; a quit in it ends the run after
    // its frame. The recording must hold a frame (see Script::whyNotReplayable).
    void startReplay(Script::Script script);
    bool isReplaying() const { return replaying; }
    // A replay's frames; the one replayed last.
    int replayLength() const { return replay.lastFrame; }
    const SceneLayout::Choice& replayScene() const { return replay.scene; }
    // Back to before a replay's first frame: a recording holds every frame's time, so it replays
    // the same from its start each time.
    void restartReplay();

    // Before each frame: while replaying, sets the frame's recorded actions and gives its time and
    // cursor reports.
    const ReplayedFrame& beginFrame();
    // After a frame: true once a replay has played its last frame, or its script said quit.
    bool isOver() const;
    // After the frame's input poll: records the frame's time and the sampled actions.
    void afterPoll(double delta, const Input& input);
    // The look settings from the next frame on, changed in the options.
    void lookChanged(const LookSettings& look);
    // Every cursor report from the window library; recorded for the next frame. False while
    // replaying: the recorded reports stand in for the real ones.
    bool onCursorReport(int x, int y);
    // Hands what is recorded so far to the file; the crash report calls it too.
    void flush();
    // Writes what is left of the recording and closes it. False when the recording could not be
    // written, here or earlier (said once, when it happened).
    bool finish();

private:
    void writeWaiting();
    static Script::Event eventOfFrame(int of, Script::Event::Kind kind);
    void addAction(Action action, std::size_t index, const Input& input);
    void addActionEvent(Action action, bool down);
    void stopRecording(const std::string& why);

    std::FILE* recording = nullptr;
    std::string recordingPath;
    // Compact; a chunk goes to the file at each flush, so a crash keeps whole chunks only.
    std::optional<CompactRecording::Writer> writer;
    // The actions' states as last written; a recording names only changes.
    std::vector<bool> writtenStates;
    // Cursor reports arrive during the previous frame's swap; they are written with the frame they
    // drive, so a recording never ends with a frame that was not played.
    std::vector<Script::Event> cursorEvents;
    std::optional<LookSettings> lookOfNextFrame;
    std::vector<Script::Event> frameEvents;
    double secondsSinceFlush = 0.0;
    bool failed = false;

    bool replaying = false;
    bool quitRequested = false;
    Script::Script replay;
    ReplayedFrame replayed;
    int frame = 0;
};
