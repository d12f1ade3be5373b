#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "app/Script.h"

class Input;

struct CursorReport {
    int x = 0;
    int y = 0;
};

// What drives one run of the game besides the scene: a recording being written (--record) or one
// being played back (--replay, and kelvarin-sim with a recording). The frame loop calls it at
// fixed points of every frame.
class Session {
public:
    ~Session();

    // Starts writing a recording of a game played with these look settings. An unwritable path
    // gives one line on standard error and false; the game plays on without recording.
    bool startRecording(const std::string& path, const LookSettings& look);
    // Plays a recording's events back instead of the devices: keys and buttons, cursor reports
    // and frame times; a quit in it ends the run after its frame. The recording must hold a frame
    // (see Script::whyNotReplayable).
    void startReplay(Script::Script script);
    bool isReplaying() const { return replaying; }

    // Before each frame. Replaying: applies the frame's recorded keys and frame time, and keeps
    // its cursor reports for the caller to deliver.
    void beginFrame();
    // After a frame: true once a replay has played its last frame, or its script said quit.
    bool isOver() const;
    // The cursor reports recorded for the frame begun last, in order; none unless replaying.
    const std::vector<CursorReport>& recordedCursorReports() const { return cursorReports; }
    // After the frame's input poll: records the measured delta and the sampled bindings.
    void afterPoll(double delta, const Input& input);
    // Every cursor report from the window library; recorded for the next frame. False while
    // replaying: the recorded reports stand in for the real ones.
    bool onCursorReport(int x, int y);
    // Hands what is recorded so far to the file; the crash report calls it too.
    void flush();
    // Writes what is left of the recording to its file and closes it. False when the recording
    // could not be written, here or earlier (said once, when it happened).
    bool finish();

    int framesBegun() const { return frame; }

private:
    void write(const std::string& line);
    void stopRecording(const char* why);

    std::FILE* recording = nullptr;
    std::string recordingPath;
    // The bindings' states as last written; a recording names only changes.
    std::vector<bool> writtenStates;
    // Cursor reports arrive during the previous frame's swap; they are written with the frame they
    // drive, so a recording never ends with a frame that was not played.
    std::string cursorLinesOfThisFrame;
    double secondsSinceFlush = 0.0;

    bool failed = false;

    bool replaying = false;
    bool quitRequested = false;
    Script::Script replay;
    std::vector<CursorReport> cursorReports;

    int frame = 0;
};
