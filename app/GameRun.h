#pragma once

// app/: start-up, the frame loop and shutdown as one run object, and what the programs read
// before they start one (command lines, settings, recordings). May include every folder.

#include <memory>
#include <string>

#include "app/OptionsMenu.h"
#include "app/ReplayTimeline.h"
#include "app/Settings.h"
#include "app/SettingsKeeper.h"
#include "app/Testbed.h"
#include "core/FixedStepper.h"
#include "input/GamepadControls.h"
#include "platform/Platform.h"
#include "render/BoxLines.h"
#include "render/Viewport.h"

class BrickWallScene;
class Session;
struct ReplayedFrame;

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
// game through it, so they differ only in what they do between frames.
class GameRun {
public:
    GameRun();
    ~GameRun();
    GameRun(const GameRun&) = delete;
    GameRun& operator=(const GameRun&) = delete;

    // The start-up order: window and OpenGL (when drawing), model buffers, textures, input,
    // render context, mouse callback, lit program, clock, frame-loop state, then the scene. False
    // when the window or OpenGL could not be made; the failure has been said on standard error.
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

    BrickWallScene& scene() { return *brickWall; }
    // Frames run since start: equal to a recording's frame numbers.
    int framesRun() const { return frames; }
    // Frames in whose drawing the driver reported an error (the first is said on standard error).
    int glErrorFrames() const { return errorFrames; }
    // A cursor report from the window library, unless a replay stands in for it.
    void onCursorReport(int x, int y);
    // The settings played; changed, they are applied at once and kept in the settings file.
    const Settings::Values& settingsPlayed() const { return played; }
    void changeSettings(const Settings::Values& values);
    // A key pressed while the options are open.
    void onOptionsKey(int key, bool repeat);
    bool areOptionsOpen() const { return options.isOpen(); }
    // A replay played again from its start, unseen, to the frame asked for (1 to its last), and
    // held there.
    void seekReplay(int frame);
    const Testbed& tools() const { return testbed; }
    // What the statistics overlay and a replay's timeline show now; empty while they are hidden.
    std::string statsShown();
    std::string timelineShown() const;
    ReplayTimeline& replayTimeline() { return timeline; }

private:
    // What a frame reads once, at its start, and hands inward.
    struct FrameInput {
        double delta = 0.0;
        bool padConnected = false;
        Platform::Gamepad pad;
    };

    bool openWindow();
    void connectInputAndCamera();
    void prepareFrameLoop();
    bool playFrame();
    struct WaitingFrame {
        GLUtils::FrameLayout layout;
        bool drawing = false;
        Platform::Gamepad pad;
    };
    WaitingFrame beginWaitingFrame();
    bool optionsFrame();
    bool isReplayHeld() const;
    bool heldReplayFrame();
    void followTimeline();
    void replayFrameUnseen();
    void restartScene();
    void drawTestbed(const GLUtils::FrameLayout& layout);
    void openOptions();
    void onOptionsOutcome(OptionsMenu::Outcome outcome, int closingKey = -1);
    void followFullscreen();
    // The settings played from now on: the input, the pad's look, the music, the window, the help.
    void applySettings(const Settings::Values& values);
    void followDevice(const FrameInput& in);
    void showHelp();
    bool playerWantsToGoOn();
    FrameInput readInput(const ReplayedFrame* replayed);
    void simulate(double delta);
    void checkGlErrors();
    void lookWithPad(const FrameInput& in);

    RunConfig config;
    Settings::Values played;
    OptionsMenu options;
    Testbed testbed;
    TestbedStats stats;
    ReplayTimeline timeline;
    BoxLines boxLines;
    std::vector<BoxLines::Box> boxes;
    SettingsKeeper keeper;
    Controls::Device helpDevice = Controls::Device::Keyboard;
    std::unique_ptr<BrickWallScene> brickWall;
    FrameClock::FixedStepper stepper;
    GamepadControls::Look padLook;
    bool started = false;
    int frames = 0;
    int errorFrames = 0;
};
