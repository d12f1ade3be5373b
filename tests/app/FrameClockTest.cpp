#include <gtest/gtest.h>

#include "app/FrameClock.h"
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

TEST(FrameClock, LongFramesAreSplitIntoStepsOfAboutASixtiethOfASecond) {
    Platform::Fake::setTime(10.0);
    FrameClock::tick();
    const struct {
        double delta;
        int steps;
    } cases[] = {{1.0 / 60.0, 1}, {0.0174, 1}, {0.036, 3}, {0.05, 3}, {0.0, 1}, {10.0, 30}};
    for (const auto& c : cases) {
        Platform::Fake::setTime(Platform::getTime() + c.delta);
        FrameClock::tick();
        EXPECT_FLOAT_EQ(FrameClock::deltaTime(), static_cast<float>(c.delta));
        EXPECT_EQ(FrameClock::splitIntoSteps(), c.steps) << c.delta;
        EXPECT_FLOAT_EQ(FrameClock::deltaTime(), static_cast<float>(c.delta / c.steps));
    }
}
