#include <gtest/gtest.h>

#include <vector>

#include "input/Input.h"
#include "platform/FakePlatform.h"

namespace {

class InputTest : public testing::Test {
protected:
    void SetUp() override { Platform::enableStickyKeys(); }
    Input input;
};

}  // namespace

TEST_F(InputTest, ConstructionCapturesTheCursorAtTheCentre) {
    EXPECT_FALSE(Platform::Fake::record().cursorShown);
    EXPECT_EQ(input.getMouseX(), 512);
    EXPECT_EQ(input.getMouseY(), 384);
    EXPECT_TRUE(input.isMouseCaptured());
    EXPECT_FLOAT_EQ(input.getSensitivityX(), 0.04f);
}

TEST_F(InputTest, StickyTapOfSpacebarIsPressedOneFrameAndReleasedTheNext) {
    Platform::Fake::tapKey(Platform::kKeySpace);
    input.poll(Platform::Gamepad());
    EXPECT_TRUE(input.isRewindPressed());
    EXPECT_FALSE(input.isRewindReleased());
    input.poll(Platform::Gamepad());
    EXPECT_FALSE(input.isRewindPressed());
    EXPECT_TRUE(input.isRewindReleased());
    input.poll(Platform::Gamepad());
    EXPECT_FALSE(input.isRewindReleased());
}

TEST_F(InputTest, EdgeQueriesStayTrueForTheWholeFrame) {
    Platform::Fake::setKey(Platform::kKeySpace, true);
    input.poll(Platform::Gamepad());
    EXPECT_TRUE(input.isRewindPressed());
    EXPECT_TRUE(input.isRewindPressed());
}

// Held, the button fires once; a click shorter than a frame still fires, once: the button is
// sticky, as the keys are.
TEST_F(InputTest, HeldFireButtonFiresOnceUntilReleasedAndNoClickIsLost) {
    Platform::Fake::setMouseButton(Platform::kMouseButtonLeft, true);
    input.poll(Platform::Gamepad());
    EXPECT_TRUE(input.isFirePressed());
    input.poll(Platform::Gamepad());
    EXPECT_FALSE(input.isFirePressed());
    Platform::Fake::setMouseButton(Platform::kMouseButtonLeft, false);
    input.poll(Platform::Gamepad());
    input.poll(Platform::Gamepad());
    EXPECT_FALSE(input.isDown(Action::Fire));
    Platform::Fake::tapMouseButton(Platform::kMouseButtonLeft);
    input.poll(Platform::Gamepad());
    EXPECT_TRUE(input.isFirePressed());
    input.poll(Platform::Gamepad());
    EXPECT_FALSE(input.isDown(Action::Fire));
}

// Toggled, one press of the key holds the rewind and the next lets go; a rewind that ran out lets
// go by itself, and a press just then starts the next one a frame later instead of being lost.
TEST_F(InputTest, AToggledRewindIsHeldFromOnePressToTheNext) {
    input.setRewindToggles(true);
    const auto sample = [&](bool tap) {
        if (tap) Platform::Fake::tapKey(Platform::kKeySpace);
        input.poll(Platform::Gamepad());
        return input.isDown(Action::Rewind);
    };
    EXPECT_EQ((std::vector<bool>{sample(true), sample(false), sample(true), sample(false)}),
              (std::vector<bool>{true, true, false, false}));
    sample(true);
    sample(false);
    input.onRewindEndedByItself();
    EXPECT_FALSE(sample(true));
    EXPECT_TRUE(input.isRewindReleased());
    EXPECT_TRUE(sample(false));
    EXPECT_TRUE(input.isRewindPressed());
}

// Each action plays with the key the player gave it.
TEST_F(InputTest, TheKeysAreThePlayers) {
    Controls::KeyMap keys = Controls::defaultKeys();
    keys[Action::Forward] = Platform::kKeyUp;
    input.setKeys(keys);
    Platform::Fake::setKey('W', true);
    input.poll(Platform::Gamepad());
    EXPECT_FALSE(input.isForwardDown());
    Platform::Fake::setKey(Platform::kKeyUp, true);
    input.poll(Platform::Gamepad());
    EXPECT_TRUE(input.isForwardDown());
}

TEST_F(InputTest, OnlyLeftShiftRuns) {
    Platform::Fake::setKey(Platform::kKeyRShift, true);
    input.poll(Platform::Gamepad());
    EXPECT_FALSE(input.isRunDown());
    Platform::Fake::setKey(Platform::kKeyLShift, true);
    input.poll(Platform::Gamepad());
    EXPECT_TRUE(input.isRunDown());
}

TEST_F(InputTest, MovementKeysUseTheirLetters) {
    for (int key : {'W', 'A', 'S', 'D'}) Platform::Fake::setKey(key, true);
    input.poll(Platform::Gamepad());
    EXPECT_TRUE(input.isForwardDown() && input.isLeftDown() && input.isBackDown() &&
                input.isRightDown());
}

TEST_F(InputTest, ReportedPositionIsRecordedAndTheCursorRecentred) {
    input.onMouseMove(600, 300);
    EXPECT_EQ(input.getMouseX(), 600);
    EXPECT_EQ(input.getMouseY(), 300);
    EXPECT_EQ(Platform::Fake::record().cursorX, 512);
    EXPECT_EQ(Platform::Fake::record().cursorY, 384);
}
