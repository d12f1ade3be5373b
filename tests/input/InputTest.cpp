#include <gtest/gtest.h>

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

TEST_F(InputTest, HeldFireButtonFiresOnceUntilReleased) {
    Platform::Fake::setMouseButton(Platform::kMouseButtonLeft, true);
    input.poll(Platform::Gamepad());
    EXPECT_TRUE(input.isFirePressed());
    input.poll(Platform::Gamepad());
    EXPECT_FALSE(input.isFirePressed());
    Platform::Fake::setMouseButton(Platform::kMouseButtonLeft, false);
    input.poll(Platform::Gamepad());
    Platform::Fake::setMouseButton(Platform::kMouseButtonLeft, true);
    input.poll(Platform::Gamepad());
    EXPECT_TRUE(input.isFirePressed());
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
