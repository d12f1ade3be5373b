// The window module's desktop build against a scripted window library (FakeGlfw): what it does
// with the library's events, which no X server without a window manager shows.
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <string>

#include "core/WindowSize.h"
#include "platform/Platform.h"
#include "tests/platform/FakeGlfw.h"

namespace {

int reportedX = 0;
int reportedY = 0;
std::string padsHeard;

void recordReport(int x, int y) {
    reportedX = x;
    reportedY = y;
}

void hearPad(const char* name) {
    padsHeard += name ? std::string("came: ") + name + "\n" : "went\n";
}

// A window opened with one pad already plugged in.
class WindowTest : public testing::Test {
protected:
    void SetUp() override {
        FakeGlfw::reset();
        FakeGlfw::connectPad(GLFW_JOYSTICK_3, "Pad There At Start");
        ASSERT_TRUE(Platform::init());
        ASSERT_TRUE(Platform::openWindow(Core::kWindowWidth, Core::kWindowHeight, 32));
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

// The library's pad, in its own layout, is the game's; triggers are turned from -1..1 into 0..1.
TEST_F(WindowTest, APadIsReadInTheStandardLayoutAndEachComingAndGoingIsToldOnce) {
    padsHeard.clear();
    Platform::setGamepadListener(hearPad);
    unsigned char buttons[GLFW_GAMEPAD_BUTTON_LAST + 1] = {};
    float axes[GLFW_GAMEPAD_AXIS_LAST + 1] = {};
    buttons[GLFW_GAMEPAD_BUTTON_LEFT_THUMB] = GLFW_PRESS;
    axes[GLFW_GAMEPAD_AXIS_RIGHT_X] = 0.5f;
    axes[GLFW_GAMEPAD_AXIS_LEFT_TRIGGER] = 1.0f;
    axes[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER] = -1.0f;
    FakeGlfw::setPadState(GLFW_JOYSTICK_3, buttons, axes);
    Platform::Gamepad pad;
    ASSERT_TRUE(Platform::getGamepad(pad));
    EXPECT_TRUE(pad.isDown(Platform::PadButton::LeftThumb));
    EXPECT_FALSE(pad.isDown(Platform::PadButton::A));
    EXPECT_EQ(pad.axis(Platform::PadAxis::RightX), 0.5f);
    EXPECT_EQ(pad.axis(Platform::PadAxis::LeftTrigger), 1.0f);
    EXPECT_EQ(pad.axis(Platform::PadAxis::RightTrigger), 0.0f);

    FakeGlfw::disconnectPad(GLFW_JOYSTICK_3);
    EXPECT_FALSE(Platform::getGamepad(pad));
    EXPECT_EQ(pad.axis(Platform::PadAxis::RightX), 0.0f);
    FakeGlfw::disconnectPad(GLFW_JOYSTICK_3);
    FakeGlfw::connectPad(GLFW_JOYSTICK_1, "Arcade\x1b[2J Stick");
    EXPECT_TRUE(Platform::getGamepad(pad));
    Platform::setGamepadListener(nullptr);
    FakeGlfw::disconnectPad(GLFW_JOYSTICK_1);
    EXPECT_EQ(padsHeard, "came: Pad There At Start\nwent\ncame: Arcade\x1b[2J Stick\n");
}

// Shown for the options, the cursor is where the library put it back, and its first motion counts.
TEST_F(WindowTest, AShownCursorStandsWhereThePlayerSeesItAndItsFirstMotionCounts) {
    Platform::showCursor(false);
    FakeGlfw::sendCursor(500, 400);
    FakeGlfw::setCursorPos(700, 90);
    Platform::showCursor(true);
    int x = 0;
    int y = 0;
    Platform::getMousePos(x, y);
    EXPECT_EQ(x, 700);
    EXPECT_EQ(y, 90);
    FakeGlfw::sendCursor(705, 80);
    EXPECT_EQ(reportedX, 705);
    EXPECT_EQ(reportedY, 80);
}

// Every press is counted, however many come between two polls: key repeats and releases are not.
TEST_F(WindowTest, EveryPressOfAKeyOrAMouseButtonIsCounted) {
    for (int i = 0; i < 3; ++i) {
        FakeGlfw::sendKey(GLFW_KEY_O, GLFW_PRESS, 0);
        FakeGlfw::sendKey(GLFW_KEY_O, GLFW_REPEAT, 0);
        FakeGlfw::sendKey(GLFW_KEY_O, GLFW_RELEASE, 0);
    }
    FakeGlfw::sendMouseButton(GLFW_MOUSE_BUTTON_RIGHT, GLFW_PRESS);
    Platform::PressCounts counts;
    Platform::takePressCounts(counts);
    EXPECT_EQ(counts.keys['O'], 3);
    EXPECT_EQ(counts.buttons[Platform::kMouseButtonRight], 1);
    Platform::takePressCounts(counts);
    EXPECT_EQ(counts.keys['O'], 0);
}
