#include <GL/glew.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <sstream>

#include "app/GameRun.h"
#include "app/Script.h"
#include "app/Session.h"
#include "input/Camera.h"
#include "platform/FakePlatform.h"
#include "platform/StopSignals.h"
#include "rewind/Controller.h"
#include "tests/support/FreshState.h"

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
    std::istringstream recording(
        "kelvarin-script 3\nlook 1 normal\n1 delta 0.1\n2 delta 0.1\n3 delta 0.1\n"
        "3 press quit\n4 delta 0.1\n5 delta 0.1\n");
    Session session;
    session.startReplay(Script::parse(recording, "quit.rec"));
    RunConfig config;
    config.drawing = false;
    config.session = &session;
    GameRun run;
    ASSERT_TRUE(run.start(config));
    playToTheEnd(run);
    EXPECT_EQ(run.framesRun(), 3);
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
