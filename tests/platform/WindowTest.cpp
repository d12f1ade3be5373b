// The window module's desktop build against a scripted window library (FakeGlfw): what it does
// with the library's events, which no X server without a window manager shows.
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "tests/platform/FakeGlfw.h"

namespace {

int reportedX = 0;
int reportedY = 0;

void recordReport(int x, int y) {
    reportedX = x;
    reportedY = y;
}

class WindowTest : public testing::Test {
protected:
    void SetUp() override {
        FakeGlfw::reset();
        ASSERT_TRUE(Platform::init());
        ASSERT_TRUE(
            Platform::openWindow(1024, 768, 0, 0, 0, 0, 32, 0, Platform::WindowMode::Windowed));
        Platform::setMousePosCallback(recordReport);
    }
    void TearDown() override { Platform::terminate(); }
};

}  // namespace

TEST_F(WindowTest, AltEnterAndF11SwitchToFullscreenAndBackButEnterAloneDoesNot) {
    FakeGlfw::sendKey(GLFW_KEY_ENTER, GLFW_PRESS, 0);
    EXPECT_FALSE(Platform::isFullscreen());
    FakeGlfw::sendKey(GLFW_KEY_ENTER, GLFW_PRESS, GLFW_MOD_ALT);
    EXPECT_EQ(FakeGlfw::windowMonitor(), FakeGlfw::monitor());
    FakeGlfw::sendKey(GLFW_KEY_F11, GLFW_RELEASE, 0);
    EXPECT_TRUE(Platform::isFullscreen());
    FakeGlfw::sendKey(GLFW_KEY_F11, GLFW_PRESS, 0);
    EXPECT_FALSE(Platform::isFullscreen());
    int width = 0;
    int height = 0;
    Platform::getWindowSize(width, height);
    EXPECT_EQ(width, 1024);
    EXPECT_EQ(height, 768);
}

// The window moves and changes size under the cursor: the library's next report is a jump, not a
// motion, and must not turn the view.
TEST_F(WindowTest, TheFirstCursorReportAfterEitherSwitchOfFullscreenDoesNotMoveTheCursor) {
    FakeGlfw::sendCursor(100, 100);
    FakeGlfw::sendCursor(110, 100);
    ASSERT_EQ(reportedX, 10) << "motion is measured from the previous report";
    for (const bool fullscreen : {true, false}) {
        Platform::setFullscreen(fullscreen);
        FakeGlfw::sendCursor(900, 700);
        EXPECT_EQ(reportedX, 10) << (fullscreen ? "entering" : "leaving") << " fullscreen";
        EXPECT_EQ(reportedY, 0) << (fullscreen ? "entering" : "leaving") << " fullscreen";
    }
}
