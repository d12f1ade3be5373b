#include <gtest/gtest.h>

#include "core/FrameClock.h"
#include "platform/FakePlatform.h"

TEST(FrameClock, ReportsItsStartValueBeforeTheFirstTick) {
    EXPECT_FLOAT_EQ(FrameClock::deltaTime(), 0.033f);
}

TEST(FrameClock, MeasuresTheTimerBetweenTicks) {
    Platform::Fake::setTime(5.0);
    FrameClock::reset();
    EXPECT_EQ(Platform::getTime(), 0.0);
    Platform::Fake::setTime(0.25);
    EXPECT_DOUBLE_EQ(FrameClock::tick(), 0.25);
    Platform::Fake::setTime(0.75);
    FrameClock::tick();
    EXPECT_FLOAT_EQ(FrameClock::deltaTime(), 0.5f);
}

TEST(FrameClock, EqualTimerValuesGiveADeltaOfZero) {
    Platform::Fake::setTime(2.0);
    FrameClock::tick();
    FrameClock::tick();
    EXPECT_EQ(FrameClock::deltaTime(), 0.0f);
}

TEST(FrameClock, ResetStartsTheStepsOverWithTheLayoutStep) {
    Platform::Fake::setTime(3.0);
    FrameClock::tick();
    FrameClock::reset();
    FrameClock::tick();
    ASSERT_EQ(FrameClock::advanceSteps(), 1);
    EXPECT_EQ(FrameClock::takeStep(), 0.0f);
    Platform::Fake::setTime(1.0 / 60.0);
    FrameClock::tick();
    ASSERT_EQ(FrameClock::advanceSteps(), 1);
    EXPECT_EQ(FrameClock::takeStep(), 1.0f / 60.0f);
}
