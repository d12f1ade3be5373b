#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "input/Input.h"
#include "platform/FakePlatform.h"
#include "rewind/Controller.h"
#include "scene/Brick.h"
#include "sound/Sound.h"
#include "tests/support/Headless.h"

namespace {

// One brick whose x is the frame counter at the end of every forward frame, so each snapshot
// records where the timeline stood.
class RewindTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        brickOwner = std::make_unique<Geo::Brick>();
        Platform::enableStickyKeys();
        controller->takeSnapshot();
    }

    void frame(bool spaceDown) {
        Platform::Fake::setKey(Platform::kKeySpace, spaceDown);
        Input::instance()->poll(Platform::Gamepad());
        follow(controller->update(keys()));
        if (!controller->isRewinding())
            brick().setPosition({float(controller->getFrameCounter()), 0, 0});
    }
    // Pressed and released between two polls: with sticky keys the press is seen in this frame
    // and the release in the next.
    void tap() {
        Platform::Fake::tapKey(Platform::kKeySpace);
        Input::instance()->poll(Platform::Gamepad());
        follow(controller->update(keys()));
    }
    static Rewind::RewindKeys keys() {
        const Input* input = Input::instance();
        return {input->isRewindPressed(), input->isRewindReleased()};
    }
    void runForward(int frames) {
        for (int i = 0; i < frames; ++i) frame(false);
    }
    // The music as the scene switches it after each update.
    void follow(Rewind::RewindChange change) {
        if (change.started) music.push_back(soundFile(SoundTrack::kBackgroundMusicBackwards));
        if (change.stopped) music.push_back(soundFile(SoundTrack::kBackgroundMusic));
    }
    std::vector<std::string> tracks() const { return music; }
    std::vector<std::string> music;

    std::unique_ptr<Geo::Brick> brickOwner;
    Geo::Brick& brick() { return *brickOwner; }
    Rewind::Controller* controller = Rewind::Controller::instance();
};

}  // namespace

TEST_F(RewindTest, FourteenFrameExample) {
    runForward(14);
    ASSERT_EQ(controller->getFrameStamps().size(), 3u);  // 0, 6, 12
    // Stamp 12 recorded x = 11: the position before frame 12's own move.
    const float x12 = brick().getHistory().back().toVec3().x;
    const float x6 = brick().getHistory()[1].toVec3().x;
    const std::vector<float> expected = {14.0f,
                                         14.0f + (x12 - 14.0f) * 0.5f,
                                         x12,
                                         x12 + (x6 - x12) / 6.0f,
                                         x12 + (x6 - x12) * 2.0f / 6.0f,
                                         x12 + (x6 - x12) * 3.0f / 6.0f,
                                         x12 + (x6 - x12) * 4.0f / 6.0f,
                                         x12 + (x6 - x12) * 5.0f / 6.0f,
                                         x6};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        frame(true);
        EXPECT_TRUE(controller->isRewinding());
        EXPECT_NEAR(brick().getPosition().x, expected[i], 1e-4f) << "rewind frame " << i;
    }
    EXPECT_EQ(controller->getFrameCounter(), 5u);
    for (int i = 0; i < 5; ++i) {
        frame(true);
        EXPECT_FLOAT_EQ(brick().getPosition().x, x6);
    }
    EXPECT_EQ(controller->getFrameCounter(), 0u);
    frame(true);
    EXPECT_FALSE(controller->isRewinding());
    EXPECT_EQ(tracks().back(), soundFile(SoundTrack::kBackgroundMusic));
}

TEST_F(RewindTest, HoldingSpaceInTheFirstFramesMovesNothingAndStopsAtZero) {
    runForward(3);
    const glm::vec3 before = brick().getPosition();
    for (int i = 0; i < 3; ++i) {
        frame(true);
        EXPECT_TRUE(controller->isRewinding());
        EXPECT_EQ(brick().getPosition(), before);
    }
    EXPECT_EQ(tracks().back(), soundFile(SoundTrack::kBackgroundMusicBackwards));
    EXPECT_EQ(controller->getFrameCounter(), 0u);
    frame(true);
    EXPECT_FALSE(controller->isRewinding());
    EXPECT_EQ(tracks().back(), soundFile(SoundTrack::kBackgroundMusic));
}

TEST_F(RewindTest, PressAndStopInOneFrameLeavesTheNormalTrack) {
    frame(true);
    EXPECT_FALSE(controller->isRewinding());
    const std::vector<std::string> played = tracks();
    ASSERT_EQ(played.size(), 2u);
    EXPECT_EQ(played[0], soundFile(SoundTrack::kBackgroundMusicBackwards));
    EXPECT_EQ(played[1], soundFile(SoundTrack::kBackgroundMusic));
}

TEST_F(RewindTest, RewindStartedOnASnapshotFrameConsumesItFirst) {
    runForward(12);
    EXPECT_EQ(controller->getFramesSinceSnapshot(), 0u);
    const glm::vec3 before = brick().getPosition();
    frame(true);
    EXPECT_EQ(brick().getPosition(), before);
    EXPECT_EQ(controller->getFrameStamps().size(), 2u);
    EXPECT_EQ(controller->getFramesSinceSnapshot(), 6u);
}

TEST_F(RewindTest, ShortTapRewindsOneFrameHaltsAndSnapshotsOnlyWhenFarFromTheNewest) {
    runForward(9);  // three frames after stamp 6
    brick().velocity = {1, 2, 3};
    const glm::vec3 before = brick().getPosition();
    tap();
    EXPECT_TRUE(controller->isRewinding());
    EXPECT_EQ(brick().getPosition(), before);  // t = 0
    frame(false);
    EXPECT_FALSE(controller->isRewinding());
    EXPECT_EQ(brick().velocity, glm::vec3(0.0f));
    // The stop found the counter at 8, two frames after stamp 6: 8 became the newest stamp.
    EXPECT_EQ(controller->getFrameStamps().back(), 8u);
    EXPECT_EQ(brick().getHistory().size(), controller->getFrameStamps().size());

    // Now one frame after stamp 8: a tap adds nothing.
    const std::size_t stamps = controller->getFrameStamps().size();
    tap();
    frame(false);
    EXPECT_EQ(controller->getFrameStamps().size(), stamps);
}

TEST_F(RewindTest, ReleasingSpaceWhileRecordingDoesNothing) {
    runForward(3);
    const std::size_t played = tracks().size();
    Platform::Fake::tapKey(Platform::kKeySpace);
    Input::instance()->poll(Platform::Gamepad());
    Input::instance()->poll(Platform::Gamepad());
    ASSERT_TRUE(Input::instance()->isRewindReleased());
    brick().velocity = {1, 0, 0};
    follow(controller->update(keys()));
    EXPECT_EQ(brick().velocity, glm::vec3(1, 0, 0));
    EXPECT_EQ(tracks().size(), played);
}

TEST_F(RewindTest, RolloverKeepsEveryHistoryAsLongAsTheStampList) {
    runForward(1200 * 6 + 12);
    EXPECT_EQ(controller->getFrameStamps().size(), Rewind::Controller::kMaxSnapshots);
    EXPECT_EQ(brick().getHistory().size(), Rewind::Controller::kMaxSnapshots);
    EXPECT_EQ(controller->getFrameStamps().front(), 18u);
    EXPECT_FLOAT_EQ(brick().getHistory().front().toVec3().x, 17.0f);
}

TEST_F(RewindTest, RewindConsumingEveryKeptStampEndsThereAndRecordingGoesOn) {
    runForward(1200 * 6);  // stamp 0 has rolled out; the oldest kept is 6
    ASSERT_EQ(controller->getFrameStamps().front(), 6u);
    int frames = 0;
    do {
        frame(true);
        ++frames;
    } while (controller->isRewinding() && frames < 1200 * 6 + 10);
    EXPECT_FALSE(controller->isRewinding());
    EXPECT_EQ(controller->getFrameCounter(), 6u);
    EXPECT_EQ(controller->getFrameStamps().size(), 1u);
    EXPECT_EQ(brick().getHistory().size(), 1u);

    frame(false);
    runForward(12);
    EXPECT_EQ(controller->getFrameStamps().size(), 3u);
    EXPECT_EQ(brick().getHistory().size(), 3u);
    frame(true);
    EXPECT_TRUE(controller->isRewinding());
}

namespace {

// A rewind pressed k frames after an earlier rewind used up the whole history, driven through
// the controller's own inputs so that even k = 1 is reachable.
class RewindAfterUsedUpHistory : public RewindTest, public testing::WithParamInterface<int> {
protected:
    void forward() {
        controller->update({});
        brick().setPosition({float(controller->getFrameCounter()), 0, 0});
    }
};

}  // namespace

TEST_P(RewindAfterUsedUpHistory, StartsWhereTheBrickStandsWithoutAJump) {
    for (int i = 0; i < 1200 * 6 + 12; ++i) forward();
    controller->update({true, false});
    for (int i = 0; i < 1200 * 6 + 20 && controller->isRewinding(); ++i) controller->update({});
    ASSERT_FALSE(controller->isRewinding());
    for (int i = 0; i < GetParam(); ++i) forward();

    const glm::vec3 before = brick().getPosition();
    controller->update({true, false});
    ASSERT_TRUE(controller->isRewinding());
    EXPECT_EQ(brick().getPosition(), before);
    // The rest of the rewind goes back to the one kept entry, not past it.
    const float kept = brick().getHistory().front().toVec3().x;
    while (controller->isRewinding()) {
        controller->update({});
        EXPECT_GE(brick().getPosition().x, kept - 1e-4f);
        EXPECT_LE(brick().getPosition().x, before.x + 1e-4f);
    }
}

INSTANTIATE_TEST_SUITE_P(OneToFiveFramesLater, RewindAfterUsedUpHistory, testing::Range(1, 6));

TEST_F(RewindTest, StartingASegmentOnTheLastEntryKeepsItAndStartsFromTheOwner) {
    brick().setPosition({4, 0, 0});
    brick().startSegment(true);
    ASSERT_EQ(brick().getHistory().size(), 1u);
    brick().setPosition({9, 0, 0});
    brick().startSegment(true);
    EXPECT_EQ(brick().getHistory().size(), 1u);
    brick().interpolate(0.0f);
    EXPECT_EQ(brick().getPosition().x, 9.0f);
    brick().interpolate(1.0f);
    EXPECT_EQ(brick().getPosition().x, 0.0f);
}
