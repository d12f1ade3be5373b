#include <GL/glew.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "app/GameRun.h"
#include "app/Script.h"
#include "app/Session.h"
#include "input/Camera.h"
#include "platform/FakePlatform.h"
#include "platform/StopSignals.h"
#include "rewind/Controller.h"
#include "scene/BrickWallScene.h"
#include "tests/support/FreshState.h"
#include "tests/support/ReplayRun.h"

namespace {

using Platform::Fake::record;

bool startWithRealContext(GameRun& run) {
    Platform::Fake::useRealContext(true);
    return run.start(RunConfig());
}

}  // namespace

TEST(StartUp, FailingInitPrintsItsMessageAndFails) {
    Platform::Fake::failInit(true);
    testing::internal::CaptureStderr();
    GameRun run;
    EXPECT_FALSE(run.start(RunConfig()));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "GLFWInit Failed!\n");
    EXPECT_EQ(record().openWindowCalls, 0);
}

TEST(StartUp, FailingWindowOpenTerminatesTheLibrary) {
    Platform::Fake::failOpenWindow(true);
    testing::internal::CaptureStderr();
    GameRun run;
    EXPECT_FALSE(run.start(RunConfig()));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "GLFWOpenWindow Failed!\n");
    EXPECT_EQ(record().terminateCalls, 1);
}

TEST(StartUp, FailingExtensionLoaderLeavesTheLibraryRunning) {
    // Without a real context the extension loader finds no OpenGL to load.
    Platform::Fake::useRealContext(false);
    testing::internal::CaptureStderr();
    GameRun run;
    EXPECT_FALSE(run.start(RunConfig()));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "GLEWInit Failed!\n");
    EXPECT_EQ(record().terminateCalls, 0);
}

TEST(StartUp, OpensTheWindowTheGameNeeds) {
    GameRun run;
    ASSERT_TRUE(startWithRealContext(run));
    EXPECT_EQ(record().width, 1024);
    EXPECT_EQ(record().height, 768);
    EXPECT_EQ(record().depthBits, 32);
    EXPECT_EQ(record().hints.samples, 4);
    EXPECT_EQ(record().hints.versionMajor, 4);
    EXPECT_EQ(record().hints.versionMinor, 2);
    EXPECT_TRUE(record().hints.coreProfile);
    // The cursor is captured at the centre before the callback's first report turns the camera.
    EXPECT_FALSE(record().cursorShown);
    EXPECT_EQ(mainCamera.view.angles, glm::vec3(0.0f));
    EXPECT_EQ(Platform::getTime(), 0.0);
}

TEST(FrameLoop, ThePreparedStateTestsDepthAndCullsBackFaces) {
    GameRun run;
    ASSERT_TRUE(startWithRealContext(run));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    GLint depthFunc = 0;
    glGetIntegerv(GL_DEPTH_FUNC, &depthFunc);
    EXPECT_EQ(depthFunc, GL_LESS);
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
}

TEST(FrameLoop, EscapeHeldAtStartStillRunsOneFullFrame) {
    GameRun run;
    ASSERT_TRUE(startWithRealContext(run));
    Platform::Fake::setKey(Platform::kKeyEsc, true);
    playToTheEnd(run);
    EXPECT_EQ(record().swaps, 1);
    EXPECT_EQ(record().title, "Kelvarin");
    EXPECT_TRUE(record().stickyKeys);
    EXPECT_EQ(record().terminateCalls, 1);
    EXPECT_EQ(record().audioCloseCalls, 1);
    EXPECT_EQ(Rewind::Controller::instance()->getFrameCounter(), 1u);
}

TEST(FrameLoop, EscapeTappedBetweenFramesEndsTheLoop) {
    GameRun run;
    ASSERT_TRUE(startWithRealContext(run));
    Platform::Fake::setSwapHook([](int swap) {
        if (swap == 3) Platform::Fake::tapKey(Platform::kKeyEsc);
    });
    playToTheEnd(run);
    EXPECT_EQ(record().swaps, 3);
}

TEST(FrameLoop, ClosingTheWindowEndsTheLoopAfterThatFrame) {
    GameRun run;
    ASSERT_TRUE(startWithRealContext(run));
    Platform::Fake::setSwapHook([](int swap) {
        if (swap == 5) Platform::Fake::requestClose();
    });
    playToTheEnd(run);
    EXPECT_EQ(record().swaps, 5);
    EXPECT_EQ(record().terminateCalls, 1);
}

TEST(FrameLoop, MouseMotionDuringTheSwapTurnsTheCameraNextFrame) {
    GameRun run;
    ASSERT_TRUE(startWithRealContext(run));
    Platform::Fake::setSwapHook([](int swap) {
        if (swap == 1) Platform::Fake::queueCursorReport(512 + 100, 384);
        if (swap == 2) Platform::Fake::setKey(Platform::kKeyEsc, true);
    });
    playToTheEnd(run);
    // 100 pixels to the right at 0.04 degrees per pixel.
    EXPECT_FLOAT_EQ(mainCamera.view.angles.y, 4.0f);
    EXPECT_EQ(record().cursorX, 512);
}

namespace {

// The game runs until the signal arrives during the fourth swap, then shuts down as after Escape.
void expectSignalEndsTheGameCleanly(int signal) {
    GameRun run;
    ASSERT_TRUE(startWithRealContext(run));
    Platform::Fake::setSwapHook([signal](int swap) {
        if (swap == 4) std::raise(signal);
    });
    playToTheEnd(run);
    EXPECT_EQ(record().swaps, 4);
    EXPECT_EQ(record().terminateCalls, 1);
}

}  // namespace

TEST(FrameLoop, InterruptEndsTheLoopAfterThatFrameAndShutsDown) {
    expectSignalEndsTheGameCleanly(SIGINT);
}

TEST(FrameLoop, TerminateEndsTheLoopAfterThatFrameAndShutsDown) {
    expectSignalEndsTheGameCleanly(SIGTERM);
}

TEST(FrameLoop, HangUpEndsTheLoopAfterThatFrameAndShutsDown) {
    expectSignalEndsTheGameCleanly(SIGHUP);
}

// A quit in a replayed recording ends the run after that frame, as Escape down after a frame
// ends the game's loop and a hand-written script's quit ends kelvarin-sim's.
TEST(FrameLoop, AQuitInARecordingEndsTheRunAfterItsFrame) {
    ReplayRun replay(
        "kelvarin-script 3\nlook 1 normal\n1 delta 0.1\n2 delta 0.1\n3 delta 0.1\n"
        "3 press quit\n4 delta 0.1\n5 delta 0.1\n");
    replay.toTheEnd();
    EXPECT_EQ(replay.run.framesRun(), 3);
    EXPECT_EQ(record().swaps, 3);
}

TEST(FrameLoop, AfterShutdownSignalsHaveTheirFormerHandlers) {
    GameRun run;
    ASSERT_TRUE(startWithRealContext(run));
    Platform::Fake::setKey(Platform::kKeyEsc, true);
    playToTheEnd(run);
    struct sigaction current {};
    sigaction(SIGTERM, nullptr, &current);
    EXPECT_EQ(current.sa_handler, SIG_DFL);
}

namespace {

struct Played {
    std::vector<glm::vec3> bricks;
    glm::vec3 angles;
    glm::vec3 eye;
};

Played playedBy(GameRun& run) {
    Played played{{}, mainCamera.view.angles, mainCamera.view.eyePosition()};
    for (const Geo::Brick& brick : run.scene().bricks) played.bricks.push_back(brick.getPosition());
    return played;
}

void frames(GameRun& run, int count) {
    for (int i = 0; i < count; ++i) ASSERT_TRUE(run.frame());
}

}  // namespace

// While the options are open the game waits: no step, no move, no recorded frame; a look changed
// there is recorded from the next frame on, and the recording replays to the same bricks and view.
TEST(FrameLoop, TheOptionsHoldTheGameAndALookChangedThereIsRecorded) {
    const std::string path = testing::TempDir() + "kelvarin-options-" + std::to_string(getpid());
    Played played;
    {
        Session session;
        ASSERT_TRUE(session.startRecording(path, LookSettings()));
        RunConfig config;
        config.drawing = false;
        config.offersOptions = true;
        config.session = &session;
        GameRun run;
        ASSERT_TRUE(run.start(config));
        Platform::Fake::setTimeStepPerSwap(1.0 / 60.0);
        frames(run, 30);
        Platform::Fake::tapKey(Platform::kKeyTab);
        frames(run, 1);
        ASSERT_TRUE(run.areOptionsOpen());
        const Played before = playedBy(run);
        const std::uint32_t step = Rewind::Controller::instance()->getFrameCounter();
        Platform::Fake::setKey('W', true);
        Platform::Fake::tapKey(Platform::kKeyDown);
        Platform::Fake::tapKey(Platform::kKeyRight);
        frames(run, 20);
        EXPECT_EQ(playedBy(run).eye, before.eye);
        EXPECT_EQ(Rewind::Controller::instance()->getFrameCounter(), step);
        EXPECT_EQ(run.framesRun(), 31);
        Platform::Fake::tapKey(Platform::kKeyEsc);
        Platform::Fake::setKey('W', false);
        frames(run, 1);
        ASSERT_FALSE(run.areOptionsOpen());
        Platform::Fake::queueCursorReport(512 + 100, 384);
        frames(run, 20);
        EXPECT_FLOAT_EQ(mainCamera.view.angles.y, 100 * 0.04f * 1.25f);
        played = playedBy(run);
        EXPECT_TRUE(run.finish());
    }
    Script::Script recording = Script::readFile(path, "options.rec");
    std::remove(path.c_str());
    ASSERT_EQ(recording.error, "");
    EXPECT_NE(Script::write(recording).find("\n32 look 1.25 normal 60\n"), std::string::npos);
    ReplayRun replay(recording);
    while (replay.run.frame()) {
    }
    const Played replayed = playedBy(replay.run);
    EXPECT_EQ(replayed.bricks, played.bricks);
    EXPECT_EQ(replayed.angles, played.angles);
}

// A toggled rewind that runs out of history ends by itself: the next press starts another one
// rather than ending the one that already stopped.
TEST(FrameLoop, AToggledRewindThatRanOutIsLetGoOf) {
    RunConfig config;
    config.drawing = false;
    config.settings.rewindToggles = true;
    GameRun run;
    ASSERT_TRUE(run.start(config));
    Platform::Fake::setTimeStepPerSwap(1.0 / 60.0);
    frames(run, 30);
    Platform::Fake::tapKey(Platform::kKeySpace);
    frames(run, 1);
    ASSERT_TRUE(Rewind::Controller::instance()->isRewinding());
    for (int i = 0; i < 60 && Rewind::Controller::instance()->isRewinding(); ++i) frames(run, 1);
    ASSERT_FALSE(Rewind::Controller::instance()->isRewinding());
    frames(run, 10);
    Platform::Fake::tapKey(Platform::kKeySpace);
    frames(run, 1);
    EXPECT_TRUE(Rewind::Controller::instance()->isRewinding());
    run.finish();
}

// The press that closes the options reaches nothing in the game: not the options again, not an
// action that has its key, not quitting; each row opens them with its first key and presses the
// rest in them.
TEST(FrameLoop, TheKeyThatClosesTheOptionsActsOnlyThere) {
    const struct {
        const char* what;
        Action rebound;
        int key;
        std::vector<int> keys;
    } rows[] = {
        {"the options' own key",
         Action::Options,
         Platform::kKeyTab,
         {Platform::kKeyTab, Platform::kKeyDown, Platform::kKeyDown, Platform::kKeyTab}},
        {"Escape as the options' key",
         Action::Options,
         Platform::kKeyEsc,
         {Platform::kKeyEsc, Platform::kKeyEsc}},
        {"Enter on Close as the restart key",
         Action::Restart,
         Platform::kKeyEnter,
         {Platform::kKeyTab, Platform::kKeyUp, Platform::kKeyEnter}},
    };
    for (const auto& row : rows) {
        startAfresh();
        RunConfig config;
        config.drawing = false;
        config.offersOptions = true;
        config.settings.keys.give(row.key, row.rebound);
        GameRun run;
        ASSERT_TRUE(run.start(config));
        Platform::Fake::setTimeStepPerSwap(1.0 / 60.0);
        frames(run, 30);
        Platform::Fake::tapKey(row.keys.front());
        frames(run, 1);
        ASSERT_TRUE(run.areOptionsOpen()) << row.what;
        for (std::size_t i = 1; i < row.keys.size(); ++i) Platform::Fake::tapKey(row.keys[i]);
        ASSERT_FALSE(run.areOptionsOpen()) << row.what;
        const std::uint32_t steps = Rewind::Controller::instance()->getFrameCounter();
        frames(run, 5);
        EXPECT_FALSE(run.areOptionsOpen()) << row.what;
        EXPECT_EQ(Rewind::Controller::instance()->getFrameCounter(), steps + 5) << row.what;
        run.finish();
    }
}

// F11 switches the window by itself: the options and the settings file follow, as when the
// options switch it.
TEST(FrameLoop, FullscreenSwitchedByTheWindowsKeyIsPlayedAndKept) {
    const std::string path = testing::TempDir() + "kelvarin-f11-" + std::to_string(getpid());
    RunConfig config;
    config.drawing = false;
    config.offersOptions = true;
    config.settingsPath = path;
    config.settings.fullscreen = config.settingsInFile.fullscreen = true;
    GameRun run;
    ASSERT_TRUE(run.start(config));
    frames(run, 2);
    EXPECT_TRUE(Platform::isFullscreen());
    Platform::setFullscreen(false);
    frames(run, 1);
    EXPECT_FALSE(run.settingsPlayed().fullscreen);
    EXPECT_FALSE(Settings::readFile(path).values.fullscreen);
    run.finish();
    std::remove(path.c_str());
}

// A replay sees as widely as its player did, whatever the viewer's own field of view.
TEST(FrameLoop, AReplayIsSeenWithItsRecordingsFieldOfView) {
    ReplayRun replay(
        "kelvarin-script 4\nlook 1 normal 90\n1 delta 0.1\n2 look 1 normal 55\n2 delta 0.1\n");
    replay.frames(1);
    EXPECT_EQ(mainCamera.fieldOfView, 90.0f);
    replay.frames(1);
    EXPECT_EQ(mainCamera.fieldOfView, 55.0f);
}

// A brick grabbed, carried, thrown and a blast, all recorded: the replay leaves the bricks the
// game left, and they are not those of a game without the hand.
TEST(FrameLoop, TheHandsWorkIsRecordedAndReplaysToTheSameBricks) {
    const std::string path = testing::TempDir() + "kelvarin-hand-" + std::to_string(getpid());
    Played played;
    {
        Session session;
        ASSERT_TRUE(session.startRecording(path, LookSettings()));
        RunConfig config;
        config.drawing = false;
        config.session = &session;
        GameRun run;
        ASSERT_TRUE(run.start(config));
        Platform::Fake::setTimeStepPerSwap(1.0 / 60.0);
        frames(run, 150);
        // Down at the wall, then a brick carried up and to the right, and let go.
        Platform::Fake::queueCursorReport(512, 384 + 1000);
        frames(run, 5);
        Platform::Fake::setMouseButton(Platform::kMouseButtonRight, true);
        frames(run, 5);
        Platform::Fake::queueCursorReport(512 + 300, 384 + 600);
        frames(run, 5);
        Platform::Fake::setMouseButton(Platform::kMouseButtonRight, false);
        frames(run, 30);
        Platform::Fake::tapKey('E');
        frames(run, 30);
        played = playedBy(run);
        EXPECT_TRUE(run.finish());
    }
    Script::Script recording = Script::readFile(path, "hand.rec");
    std::remove(path.c_str());
    ASSERT_EQ(recording.error, "");
    const std::string text = Script::write(recording);
    EXPECT_NE(text.find(" press grab\n"), std::string::npos);
    EXPECT_NE(text.find(" release grab\n"), std::string::npos);
    EXPECT_NE(text.find(" press blast\n"), std::string::npos);
    {
        ReplayRun replay(recording);
        while (replay.run.frame()) {
        }
        EXPECT_EQ(replay.bricks(), played.bricks);
    }
    std::istringstream lines(text);
    std::string withoutHand;
    for (std::string line; std::getline(lines, line);) {
        if (line.find(" grab") == std::string::npos && line.find(" blast") == std::string::npos)
            withoutHand += line + "\n";
    }
    ReplayRun unhanded(withoutHand);
    while (unhanded.run.frame()) {
    }
    EXPECT_NE(unhanded.bricks(), played.bricks);
}
