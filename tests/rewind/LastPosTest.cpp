#include <gtest/gtest.h>

#include "rewind/LastPos.h"
#include "rewind/RingBuffer.h"

using Rewind::LastPos;

TEST(LastPos, TruncatesTowardZeroInThousandths) {
    EXPECT_EQ(LastPos::encode(-0.0125f), -12);
    EXPECT_FLOAT_EQ(LastPos::decode(-12), -0.012f);
    EXPECT_EQ(LastPos::encode(0.0129f), 12);
    EXPECT_EQ(LastPos::encode(2.5f), 2500);
    EXPECT_EQ(LastPos(2.5f, -2.5f, 0.0f).toVec3(), glm::vec3(2.5f, -2.5f, 0.0f));
}

TEST(LastPos, ClampsCoordinatesOutsideTheRangeInsteadOfWrapping) {
    EXPECT_EQ(LastPos::encode(40.0f), 32767);
    EXPECT_EQ(LastPos::encode(-32.768f), -32768);
    EXPECT_EQ(LastPos::encode(-1000.0f), -32768);
    EXPECT_EQ(LastPos::encode(1e30f), 32767);
}

TEST(LastPos, ThreeCoordinatesTakeSixBytes) {
    EXPECT_EQ(sizeof(LastPos), 6u);
}

TEST(RingBuffer, PushingOntoAFullBufferDropsTheOldest) {
    Rewind::RingBuffer<int> ring(3);
    for (int i = 1; i <= 5; ++i) ring.pushBack(i);
    ASSERT_EQ(ring.size(), 3u);
    EXPECT_EQ(ring.front(), 3);
    EXPECT_EQ(ring.back(), 5);
    ring.popBack();
    ring.popFront();
    EXPECT_EQ(ring.front(), 4);
    EXPECT_EQ(ring.size(), 1u);
    ring.popBack();
    ring.popBack();
    EXPECT_TRUE(ring.empty());
}

TEST(RingBufferDeathTest, ReadingTheNewestOfNothingIsAPreconditionFailure) {
    const Rewind::RingBuffer<int> empty(3);
    EXPECT_DEATH(static_cast<void>(empty.back()), "precondition failed: !empty\\(\\)");
}

// A room beyond 32 units from its centre is recorded in coarser steps, so a brick anywhere in it
// comes back where it was; the game's room keeps its thousandths.
TEST(LastPos, AGrownRoomIsRecordedWholeInCoarserSteps) {
    const struct {
        float halfSize;
        float coordinate;
        float within;
    } rows[] = {{10.0f, 9.8765f, 0.001f}, {84.0f, 83.5f, 0.003f}, {166.0f, -165.0f, 0.006f}};
    for (const auto& row : rows) {
        Rewind::LastPos::fitRoom(row.halfSize);
        const float back = Rewind::LastPos::decode(Rewind::LastPos::encode(row.coordinate));
        EXPECT_NEAR(back, row.coordinate, row.within) << row.halfSize;
    }
    Rewind::LastPos::fitRoom(10.0f);
    EXPECT_EQ(Rewind::LastPos::encode(9.8765f), 9876);
}
