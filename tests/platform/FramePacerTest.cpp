#include <gtest/gtest.h>

#include "platform/FramePacer.h"

namespace {

constexpr double kHz = 60.0;
constexpr double kPeriod = 1.0 / kHz;

}  // namespace

TEST(FramePacer, UnknownRefreshRateIsTakenAsSixty) {
    EXPECT_DOUBLE_EQ(Platform::FramePacer(0.0).period(), 1.0 / 60.0);
    EXPECT_DOUBLE_EQ(Platform::FramePacer(144.0).period(), 1.0 / 144.0);
}

TEST(FramePacer, ADriverThatWaitsForTheDisplayIsNeverHeldBack) {
    Platform::FramePacer pacer(kHz);
    double now = 100.0;
    for (int frame = 0; frame < 1000; ++frame) {
        // The swap returned on the display's refresh, a little late now and then.
        now += kPeriod + (frame % 3 == 0 ? 0.0004 : -0.0003);
        EXPECT_EQ(pacer.nextFrameStart(now), now);
    }
    EXPECT_FALSE(pacer.isCapping());
}

TEST(FramePacer, FastFramesAreHeldToTheRefreshRateWithoutDrift) {
    Platform::FramePacer pacer(kHz);
    double start = 5.0;
    ASSERT_EQ(pacer.nextFrameStart(start), start);
    // The first fast frame shows the driver ignores the swap interval.
    start = pacer.nextFrameStart(start + 0.004);
    ASSERT_TRUE(pacer.isCapping());
    const double scheduleStart = start;
    for (int frame = 1; frame <= 10000; ++frame) {
        const double work = 0.003 + 0.001 * (frame % 5);
        const double next = pacer.nextFrameStart(start + work);
        // The sleep wakes 0.3 ms late; the schedule must not inherit that.
        start = next + 0.0003;
        ASSERT_NEAR(next, scheduleStart + frame * kPeriod, 1e-9) << "frame " << frame;
    }
}

TEST(FramePacer, ALateFrameMovesTheScheduleInsteadOfRushingTheNextOnes) {
    Platform::FramePacer pacer(kHz);
    pacer.nextFrameStart(0.0);
    double start = pacer.nextFrameStart(0.002);
    ASSERT_TRUE(pacer.isCapping());
    // A 50 ms frame: the next one starts at once, and the one after a whole period later.
    const double late = start + 0.05;
    EXPECT_EQ(pacer.nextFrameStart(late), late);
    EXPECT_NEAR(pacer.nextFrameStart(late + 0.002), late + kPeriod, 1e-12);
}
