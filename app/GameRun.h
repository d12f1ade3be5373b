#pragma once

// app/: start-up, the frame loop and shutdown as one run object, the rooms of what a run can do
// (its window, the options, the testbed, a replay's control), and what the programs read before
// they start one (command lines, settings, recordings). May include every folder.

#include <memory>
#include <string>

#include "app/Settings.h"

class BrickWallScene;
namespace GLUtils {
struct FrameLayout;
}
class ReplayControl;
class Session;

// Everything a run is started with.
struct RunConfig {
    // The settings played with: the file's, with the command line's in their place.
    Settings::Values settings;
    // The options open over the game on their action (the game's own run, not kelvarin-sim's), and
    // what the player changes there is kept in the settings file at this path (none when empty),
    // which holds settingsInFile.
    bool offersOptions = false;
    std::string settingsPath;
    Settings::Values settingsInFile;
    // False for a run without a window or OpenGL (kelvarin-sim --no-draw): the same frames, no
    // pixels.
    bool drawing = true;
    // Records or replays the run; null for neither. It must outlive the run.
    Session* session = nullptr;
    // Where finish writes the bricks; empty for nowhere.
    std::string brickDumpPath;
};

// One run of the game, whoever drives it: the game's frame loop (a browser's animation frames
// included), kelvarin-sim, the frame-cost benchmark and the tests all start, step and finish the
// game through it, so they differ only in what they do between frames. It keeps the frame path;
// each capability is a room of its own that the path calls.
class GameRun {
public:
    GameRun();
    ~GameRun();
    GameRun(const GameRun&) = delete;
    GameRun& operator=(const GameRun&) = delete;

    // The start-up order: the window library, the window and OpenGL (when drawing), fullscreen,
    // the console, the models' buffers, the textures, the input, the render context's camera and
    // lit shader, the mouse callback, the lit program, the testbed's boxes, the clock, the title,
    // sticky keys and the frames' OpenGL state, the crash report's hook, then the scene and the
    // settings played. False when the window or OpenGL could not be made; the failure has been
    // said on standard error.
    bool start(const RunConfig& config);
    // Runs one frame (the session's recorded input, the clock, input and camera, the simulation
    // steps due, drawing unless minimised or not drawing, the swap) and says whether another
    // should follow: not after Escape, a closed window, a stop signal, a quit in the script or a
    // replay's last frame.
    bool frame();
    // Ends the run in the shutdown order: the recording's last lines, the brick dump, GPU
    // resources, the music, the window. False when a file asked for could not be written (the
    // failure has been said once).
    bool finish();

    // Started and not yet finished.
    bool isRunning() const;
    BrickWallScene& scene();
    // Frames run since start (also once finished): equal to a recording's frame numbers.
    int framesRun() const;
    // Frames in whose drawing the driver reported an error (the first is said on standard error).
    int glErrorFrames() const;
    // A cursor report from the window library, unless a replay stands in for it.
    void onCursorReport(int x, int y);
    // The settings played; changed, they are applied at once and kept in the settings file.
    const Settings::Values& settingsPlayed() const;
    void changeSettings(const Settings::Values& values);
    bool areOptionsOpen() const;
    // The testbed holds the bricks still.
    bool isSimulationPaused() const;
    // A replay played again from its start, unseen, to the frame asked for (1 to its last), and
    // held there.
    void seekReplay(int frame);
    ReplayControl& replay();
    // What the statistics overlay and a replay's timeline show now; empty while they are hidden.
    std::string statsShown();
    std::string timelineShown() const;

private:
    // The state of one run, made fresh by start and let go by finish.
    struct Run;
    struct FrameInput;

    bool playFrame();
    // A frame in which the game waits: the options open, or a replay held.
    bool waitingFrame();
    void drawOver(const GLUtils::FrameLayout& layout);
    void replayFrameUnseen();
    FrameInput readInput(bool replayed, double replayedDelta);
    void lookWithPad(const FrameInput& in);
    void followHelp();
    bool playerWantsToGoOn();

    std::unique_ptr<Run> run;
};
