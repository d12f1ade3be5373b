#include <GL/glew.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>

#include "app/Application.h"
#include "input/Camera.h"
#include "platform/FakePlatform.h"
#include "platform/StopSignals.h"
#include "rewind/Controller.h"

namespace {

using Platform::Fake::record;

int startWithRealContext() {
    Platform::Fake::useRealContext(true);
    return initApplication();
}

}  // namespace

TEST(StartUp, FailingInitPrintsItsMessageAndReturnsMinusOne) {
    Platform::Fake::failInit(true);
    testing::internal::CaptureStderr();
    EXPECT_EQ(initApplication(), -1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "GLFWInit Failed!\n");
    EXPECT_EQ(record().openWindowCalls, 0);
}

TEST(StartUp, FailingWindowOpenTerminatesTheLibrary) {
    Platform::Fake::failOpenWindow(true);
    testing::internal::CaptureStderr();
    EXPECT_EQ(initApplication(), -1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "GLFWOpenWindow Failed!\n");
    EXPECT_EQ(record().terminateCalls, 1);
}

TEST(StartUp, FailingExtensionLoaderLeavesTheLibraryRunning) {
    // Without a real context the extension loader finds no OpenGL to load.
    Platform::Fake::useRealContext(false);
    testing::internal::CaptureStderr();
    EXPECT_EQ(initApplication(), -1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "GLEWInit Failed!\n");
    EXPECT_EQ(record().terminateCalls, 0);
}

TEST(StartUp, OpensTheWindowTheGameNeeds) {
    ASSERT_EQ(startWithRealContext(), 0);
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
    ASSERT_EQ(startWithRealContext(), 0);
    prepareFrameLoop("Kelvarin");
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    GLint depthFunc = 0;
    glGetIntegerv(GL_DEPTH_FUNC, &depthFunc);
    EXPECT_EQ(depthFunc, GL_LESS);
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
}

TEST(FrameLoop, EscapeHeldAtStartStillRunsOneFullFrame) {
    ASSERT_EQ(startWithRealContext(), 0);
    Platform::Fake::setKey(Platform::kKeyEsc, true);
    runGame("Kelvarin");
    EXPECT_EQ(record().swaps, 1);
    EXPECT_EQ(record().title, "Kelvarin");
    EXPECT_TRUE(record().stickyKeys);
    EXPECT_EQ(record().terminateCalls, 1);
    EXPECT_EQ(record().audioCloseCalls, 1);
    EXPECT_EQ(Rewind::Controller::instance()->getFrameCounter(), 1u);
}

TEST(FrameLoop, EscapeTappedBetweenFramesEndsTheLoop) {
    ASSERT_EQ(startWithRealContext(), 0);
    Platform::Fake::setSwapHook([](int swap) {
        if (swap == 3) Platform::Fake::tapKey(Platform::kKeyEsc);
    });
    runGame("Kelvarin");
    EXPECT_EQ(record().swaps, 3);
}

TEST(FrameLoop, ClosingTheWindowEndsTheLoopAfterThatFrame) {
    ASSERT_EQ(startWithRealContext(), 0);
    Platform::Fake::setSwapHook([](int swap) {
        if (swap == 5) Platform::Fake::requestClose();
    });
    runGame("Kelvarin");
    EXPECT_EQ(record().swaps, 5);
    EXPECT_EQ(record().terminateCalls, 1);
}

TEST(FrameLoop, MouseMotionDuringTheSwapTurnsTheCameraNextFrame) {
    ASSERT_EQ(startWithRealContext(), 0);
    Platform::Fake::setSwapHook([](int swap) {
        if (swap == 1) Platform::Fake::queueCursorReport(512 + 100, 384);
        if (swap == 2) Platform::Fake::setKey(Platform::kKeyEsc, true);
    });
    runGame("Kelvarin");
    // 100 pixels to the right at 0.04 degrees per pixel.
    EXPECT_FLOAT_EQ(mainCamera.view.angles.y, 4.0f);
    EXPECT_EQ(record().cursorX, 512);
}

namespace {

// The game runs until the signal arrives during the fourth swap, then shuts down as after Escape.
void expectSignalEndsTheGameCleanly(int signal) {
    ASSERT_EQ(startWithRealContext(), 0);
    Platform::Fake::setSwapHook([signal](int swap) {
        if (swap == 4) std::raise(signal);
    });
    runGame("Kelvarin");
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

TEST(FrameLoopDeathTest, ASecondInterruptDuringShutdownEndsTheProcessAtOnce) {
    EXPECT_EXIT(
        {
            Platform::StopSignals::install();
            std::raise(SIGINT);
            if (!Platform::StopSignals::isStopRequested()) std::_Exit(3);
            std::raise(SIGINT);
            std::_Exit(0);
        },
        testing::KilledBySignal(SIGINT), "");
}

TEST(FrameLoop, AfterShutdownSignalsHaveTheirFormerHandlers) {
    ASSERT_EQ(startWithRealContext(), 0);
    Platform::Fake::setKey(Platform::kKeyEsc, true);
    runGame("Kelvarin");
    struct sigaction current {};
    sigaction(SIGTERM, nullptr, &current);
    EXPECT_EQ(current.sa_handler, SIG_DFL);
}
