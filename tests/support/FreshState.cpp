// Registered with GoogleTest before main: every test of the binary starts from the same state.
#include "tests/support/FreshState.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/GameRun.h"
#include "core/FrameClock.h"
#include "input/Camera.h"
#include "input/Input.h"
#include "platform/FakePlatform.h"
#include "render/RenderContext.h"
#include "rewind/Controller.h"

namespace {

// Tests share one process when the binary runs on its own, in any order: each starts as a fresh
// game would, with a fresh fake platform (keys, timer, window, failure switches), frame clock,
// camera, input and rewind timeline, in the folder the run started in, whatever the test before
// it left behind.
class FreshPlatformPerTest : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override {
        std::filesystem::current_path(startFolder);
        startAfresh();
    }

    const std::filesystem::path startFolder = std::filesystem::current_path();
};

}  // namespace

void playToTheEnd(GameRun& run) {
    constexpr int kMostFramesATestRuns = 10000;
    int frames = 1;
    while (run.frame() && frames < kMostFramesATestRuns) ++frames;
    EXPECT_LT(frames, kMostFramesATestRuns) << "the run never said stop";
    run.finish();
}

void startAfresh() {
    Platform::Fake::reset();
    FrameClock::reset();
    mainCamera = Camera();
    *Input::instance() = Input();
    *Rewind::Controller::instance() = Rewind::Controller();
    RenderContext::instance()->setDrawing(true);
}

namespace {

const bool freshPlatformRegistered = [] {
    testing::UnitTest::GetInstance()->listeners().Append(new FreshPlatformPerTest);
    return true;
}();

}  // namespace
