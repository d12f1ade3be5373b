#include <gtest/gtest.h>

#include "app/ReplayTimeline.h"
#include "input/Input.h"
#include "platform/FakePlatform.h"

// The viewer's own keys over a replay of 1000 frames, at frame 500 unless a row says otherwise:
// the frame each asks for (0: none) and whether the replay is held afterwards. Keys given twice
// are tapped twice between two frames, each tap counting.
TEST(ReplayTimeline, TheViewersKeysHoldStepAndSeekWithinTheReplay) {
    const struct {
        const char* what;
        bool heldBefore;
        std::vector<int> keys;
        int frame;
        int asked;
        bool heldAfter;
    } rows[] = {
        {"nothing", false, {}, 500, 0, false},
        {"pause holds", false, {'P'}, 500, 0, true},
        {"pause lets go", true, {'P'}, 500, 0, false},
        {"step while going on", false, {'O'}, 500, 0, false},
        {"step while held", true, {'O'}, 500, 501, true},
        {"step back with run", true, {'O', Platform::kKeyLShift}, 500, 499, true},
        {"back from the first", true, {'O', Platform::kKeyLShift}, 1, 0, true},
        {"ten seconds back", false, {'['}, 700, 700 - Controls::kSeekFrames, false},
        {"ten seconds on, to the end", false, {']'}, 900, 1000, false},
        {"three steps within a frame", true, {'O', 'O', 'O'}, 500, 503, true},
        {"twenty seconds back within a frame", false, {'[', '['}, 700, 1, false},
        {"pause twice within a frame", false, {'P', 'P'}, 500, 0, false},
    };
    for (const auto& row : rows) {
        Platform::Fake::reset();
        ASSERT_TRUE(Platform::init());
        Input input;
        ReplayTimeline timeline;
        timeline.hold(row.heldBefore);
        input.poll(Platform::Gamepad());
        for (const int key : row.keys) {
            Platform::Fake::setKey(key, false);
            Platform::Fake::setKey(key, true);
        }
        input.poll(Platform::Gamepad());
        EXPECT_EQ(timeline.follow(input, row.frame, 1000), row.asked) << row.what;
        EXPECT_EQ(timeline.isHeld(), row.heldAfter) << row.what;
    }
}
