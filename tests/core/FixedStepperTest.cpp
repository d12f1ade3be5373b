#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "core/FixedStepper.h"

using FrameClock::FixedStepper;

namespace {

constexpr double kStep = FixedStepper::kStepSeconds;
constexpr double kJitter = 0.0005;
constexpr double kMinute = 60.0;

// Frame deltas of a display at refreshHz over seconds, each presentation time off by up to
// jitter either way (so a delta is off by up to twice that).
std::vector<double> displayDeltas(double refreshHz, double seconds, double jitter, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> offset(-jitter, jitter);
    const int frames = static_cast<int>(seconds * refreshHz);
    std::vector<double> deltas;
    double previous = 0.0;
    for (int n = 1; n <= frames; ++n) {
        const double presented = n / refreshHz + offset(random);
        deltas.push_back(presented - previous);
        previous = presented;
    }
    return deltas;
}

}  // namespace

TEST(FixedStepper, TheFirstFrameTakesTheLayoutStepOfNoTime) {
    FixedStepper stepper;
    EXPECT_EQ(stepper.advance(0.0), 1);
    EXPECT_EQ(stepper.takeStep(), 0.0f);
    EXPECT_EQ(stepper.advance(kStep), 1);
    EXPECT_EQ(stepper.takeStep(), static_cast<float>(kStep));
    EXPECT_EQ(stepper.takeStep(), static_cast<float>(kStep));
}

TEST(FixedStepper, SixtyHertzWithJitterTakesExactlyOneStepEveryFrame) {
    for (unsigned seed = 1; seed <= 5; ++seed) {
        FixedStepper stepper;
        ASSERT_EQ(stepper.advance(0.0), 1);
        int frame = 0;
        for (double delta : displayDeltas(60.0, kMinute, kJitter, seed)) {
            ASSERT_EQ(stepper.advance(delta), 1) << "frame " << frame << " seed " << seed;
            ++frame;
        }
    }
}

TEST(FixedStepper, OverAMinuteTheStepsKeepUpWithRealTimeAtAnyRefreshRate) {
    for (double hz : {59.94, 60.0, 75.0, 120.0, 144.0}) {
        FixedStepper stepper;
        stepper.advance(0.0);
        double elapsed = 0.0;
        long steps = 0;
        int most = 0;
        for (double delta : displayDeltas(hz, kMinute, kJitter, 7)) {
            const int taken = stepper.advance(delta);
            steps += taken;
            most = std::max(most, taken);
            elapsed += delta;
        }
        EXPECT_NEAR(static_cast<double>(steps), elapsed / kStep, 1.0) << hz << " Hz";
        // A display faster than the steps never needs two in one frame; 59.94 Hz now and then.
        EXPECT_LE(most, hz > 60.0 ? 1 : 2) << hz << " Hz";
    }
}

TEST(FixedStepper, FastDisplaysSpreadTheStepsEvenly) {
    // 120 Hz takes a step every other frame; 144 Hz five steps every twelve frames.
    FixedStepper at120;
    at120.advance(0.0);
    std::vector<int> pattern;
    for (int i = 0; i < 8; ++i) pattern.push_back(at120.advance(1.0 / 120.0));
    EXPECT_EQ(pattern, (std::vector<int>{0, 1, 0, 1, 0, 1, 0, 1}));

    FixedStepper at144;
    at144.advance(0.0);
    int steps = 0;
    for (int i = 0; i < 12 * 100; ++i) steps += at144.advance(1.0 / 144.0);
    EXPECT_EQ(steps, 500);
}

TEST(FixedStepper, ThirtyFramesPerSecondTakesTwoStepsAFrame) {
    FixedStepper stepper;
    stepper.advance(0.0);
    for (double delta : displayDeltas(30.0, 10.0, kJitter, 3)) EXPECT_EQ(stepper.advance(delta), 2);
}

TEST(FixedStepper, ALongStallIsCappedAndNotCaughtUpWith) {
    FixedStepper stepper;
    stepper.advance(0.0);
    EXPECT_EQ(stepper.advance(10.0), FixedStepper::kMaxStepsPerFrame);
    EXPECT_EQ(stepper.advance(kStep), 1);
}

TEST(FixedStepper, ATimerThatRunsBackwardsTakesNoStep) {
    FixedStepper stepper;
    stepper.advance(0.0);
    EXPECT_EQ(stepper.advance(-1.0), 0);
    EXPECT_EQ(stepper.advance(kStep), 1);
}
