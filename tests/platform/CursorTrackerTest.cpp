#include <gtest/gtest.h>

#include "platform/CursorTracker.h"

namespace {

struct Reported {
    int x = 0;
    int y = 0;
};

Reported feed(Platform::CursorTracker& t, long x, long y) {
    Reported r;
    t.onRawPosition(x, y, r.x, r.y);
    return r;
}

}  // namespace

TEST(CursorTracker, TheFirstReportAfterCaptureDoesNotMoveTheCursor) {
    Platform::CursorTracker t;
    t.set(512, 384);
    t.requestResync();
    const Reported first = feed(t, 50, 700);  // the jump of a focus or capture change
    EXPECT_EQ(first.x, 512);
    EXPECT_EQ(first.y, 384);
    const Reported moved = feed(t, 60, 695);
    EXPECT_EQ(moved.x, 522);
    EXPECT_EQ(moved.y, 379);
}

TEST(CursorTracker, MotionAddsToWhereTheGameLastPutTheCursor) {
    Platform::CursorTracker t;
    t.set(512, 384);
    feed(t, 1000, 1000);
    t.set(512, 384);  // the game re-centres after every report
    const Reported r = feed(t, 1003, 996);
    EXPECT_EQ(r.x, 515);
    EXPECT_EQ(r.y, 380);
}

TEST(CursorTracker, AJumpAfterAFocusChangeIsIgnored) {
    Platform::CursorTracker t;
    t.set(512, 384);
    feed(t, 100, 100);
    t.requestResync();
    const Reported r = feed(t, 900, -300);
    EXPECT_EQ(r.x, 512);
    EXPECT_EQ(r.y, 384);
}
