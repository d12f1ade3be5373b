#include <gtest/gtest.h>

#include "core/FrameClock.h"
#include "platform/FakePlatform.h"

TEST(FrameClock, MeasuresTheTimerBetweenTicksFromTheReset) {
    Platform::setTime(5.0);
    FrameClock::reset();
    EXPECT_EQ(Platform::getTime(), 0.0);
    Platform::setTime(0.25);
    EXPECT_DOUBLE_EQ(FrameClock::tick(), 0.25);
    Platform::setTime(0.75);
    EXPECT_DOUBLE_EQ(FrameClock::tick(), 0.5);
    EXPECT_EQ(FrameClock::tick(), 0.0);
}
