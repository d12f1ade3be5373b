#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/GameRun.h"
#include "app/ReplayControl.h"
#include "app/Script.h"
#include "app/Session.h"
#include "app/Testbed.h"
#include "input/Camera.h"
#include "input/Input.h"
#include "platform/FakePlatform.h"
#include "rewind/Controller.h"
#include "scene/BrickWallScene.h"
#include "tests/support/FreshState.h"
#include "tests/support/ReplayRun.h"

namespace {

// A recording of frames of 1/60 s, with these events (by frame) in them.
std::string recording(int frames, const std::multimap<int, std::string>& events) {
    std::string text = "kelvarin-script 3\nlook 1 normal\n";
    for (int frame = 1; frame <= frames; ++frame) {
        text += std::to_string(frame) + " delta 0.016666666666666666\n";
        const auto [from, to] = events.equal_range(frame);
        for (auto e = from; e != to; ++e) text += std::to_string(frame) + " " + e->second + "\n";
    }
    return text;
}

// A press of one frame.
std::multimap<int, std::string> tap(std::multimap<int, std::string> events, int frame,
                                    const std::string& action) {
    events.emplace(frame, "press " + action);
    events.emplace(frame + 1, "release " + action);
    return events;
}

// Looking down at the wall, then a shot into it: the bricks fly for a while afterwards.
const std::multimap<int, std::string> kShot = tap({{40, "mouse 0 1400"}}, 60, "fire");

// A replay of the testbed's recording, and its simulation's steps.
struct Replay : ReplayRun {
    using ReplayRun::ReplayRun;
    std::uint32_t steps() const { return Rewind::Controller::instance()->getFrameCounter(); }
};

std::vector<glm::vec3> bricksAfter(const std::string& text, int frames) {
    Replay replay(text);
    replay.frames(frames);
    return replay.bricks();
}

// Everything the simulation holds: the bricks, each one's rewind history and the rewind's
// timeline.
struct Simulated {
    std::vector<glm::vec3> bricks;
    std::vector<std::int16_t> histories;
    std::vector<std::uint32_t> stamps;
    std::uint32_t counter = 0;
    std::uint16_t sinceSnapshot = 0;

    bool operator==(const Simulated& that) const {
        return bricks == that.bricks && histories == that.histories && stamps == that.stamps &&
               counter == that.counter && sinceSnapshot == that.sinceSnapshot;
    }
};

Simulated simulatedAfter(const std::string& text, int frames) {
    Replay replay(text);
    replay.frames(frames);
    Simulated simulated;
    simulated.bricks = replay.bricks();
    for (const Geo::Brick& brick : replay.run.scene().bricks) {
        for (std::size_t i = 0; i < brick.getHistory().size(); ++i) {
            const Rewind::LastPos& entry = brick.getHistory()[i];
            simulated.histories.insert(simulated.histories.end(), {entry.x, entry.y, entry.z});
        }
    }
    const Rewind::Controller& controller = *Rewind::Controller::instance();
    for (std::size_t i = 0; i < controller.getFrameStamps().size(); ++i) {
        simulated.stamps.push_back(controller.getFrameStamps()[i]);
    }
    simulated.counter = controller.getFrameCounter();
    simulated.sinceSnapshot = controller.getFramesSinceSnapshot();
    return simulated;
}

}  // namespace

// A restart lays the wall as a new game does, with an empty history: from then on the bricks and
// the rewind are a new game's, also after a rewind that ran before it.
TEST(Testbed, AfterARestartTheBricksAndTheRewindAreANewGamesByteForByte) {
    std::multimap<int, std::string> restarted = kShot;
    restarted.emplace(150, "press rewind");
    restarted.emplace(170, "release rewind");
    restarted = tap(restarted, 200, "restart");
    EXPECT_EQ(simulatedAfter(recording(499, restarted), 499),
              simulatedAfter(recording(300, {}), 300));
    EXPECT_NE(bricksAfter(recording(499, kShot), 499), bricksAfter(recording(300, {}), 300));
}

// The testbed's keys, each press counting also when several come between two frames: the speed
// stays within its table, a switch pressed twice is back where it was.
TEST(Testbed, EveryPressOfItsKeysCountsAndTheSpeedStaysWithinItsTable) {
    const struct {
        std::vector<int> taps;
        const char* speed;
        bool paused;
        int steps;
    } rows[] = {
        {{']'}, "1", false, 0},
        {{'['}, "1/2", false, 0},
        {{'[', '[', '[', '['}, "1/4", false, 0},
        {{'[', '[', ']'}, "1/2", false, 0},
        {{'P'}, "1", true, 0},
        {{'P', 'P'}, "1", false, 0},
        {{'O'}, "1", false, 0},
        {{'P', 'O', 'O', 'O'}, "1", true, 3},
    };
    for (const auto& row : rows) {
        Platform::Fake::reset();
        ASSERT_TRUE(Platform::init());
        Input input;
        Testbed testbed;
        for (const int key : row.taps) Platform::Fake::tapKey(key);
        input.poll(Platform::Gamepad());
        const Testbed::Asked asked = testbed.follow(input);
        EXPECT_EQ(testbed.speedText(), row.speed) << row.taps.size();
        EXPECT_EQ(testbed.isPaused(), row.paused) << row.taps.size();
        EXPECT_EQ(asked.steps, row.steps) << row.taps.size();
    }
}

// Three taps of the step key between two frames step three times, in the game and in its
// recording's replay, which holds each press.
TEST(Testbed, PressesQuickerThanTheFramesAreRecordedAndReplayedEachOne) {
    const std::string path = testing::TempDir() + "kelvarin-taps-" + std::to_string(::getpid());
    Simulated played;
    {
        Session session;
        ASSERT_TRUE(session.startRecording(path, LookSettings()));
        RunConfig config;
        config.drawing = false;
        config.session = &session;
        GameRun run;
        ASSERT_TRUE(run.start(config));
        Platform::Fake::setTimeStepPerSwap(1.0 / 60.0);
        for (int i = 0; i < 20; ++i) run.frame();
        Platform::Fake::tapKey('P');
        run.frame();
        const std::uint32_t before = Rewind::Controller::instance()->getFrameCounter();
        for (int i = 0; i < 3; ++i) Platform::Fake::tapKey('O');
        run.frame();
        EXPECT_EQ(Rewind::Controller::instance()->getFrameCounter(), before + 3);
        run.frame();
        ASSERT_TRUE(run.finish());
    }
    const Script::Script recorded = Script::readFile(path, "taps.rec");
    std::remove(path.c_str());
    ASSERT_EQ(recorded.error, "");
    const std::string text = Script::write(recorded);
    int pressLines = 0;
    for (std::size_t at = text.find("\n22 press step\n"); at != std::string::npos;
         at = text.find("\n22 press step\n", at + 1)) {
        ++pressLines;
    }
    EXPECT_EQ(pressLines, 3) << text;
    const std::uint32_t steps = Rewind::Controller::instance()->getFrameCounter();
    EXPECT_EQ(simulatedAfter(Script::write(recorded), 23).counter, steps);
}

// The statistics as the overlay shows them, line for line after the measured times.
TEST(Testbed, TheStatisticsCountTheBricksAwakeAndAsleepAndTheRewindLeft) {
    TestbedStats stats;
    stats.frameSeconds = 0.0166;
    stats.stepSeconds = 12e-6;
    stats.awake = 3;
    stats.asleep = 74;
    stats.snapshots = 50;
    stats.rewindSecondsLeft = 5.0;
    Testbed paused;
    Platform::Fake::tapKey('P');
    Input input;
    input.poll(Platform::Gamepad());
    paused.follow(input);
    EXPECT_EQ(statsText(stats, paused),
              "FRAME 16.6 ms STEP 12 us\nBRICKS 3 awake 74 asleep\nSCENE  PAIRS 0\n"
              "REWIND 50 snaps, 5.0 s\nSPEED 1, paused");
    Replay replay(recording(700, tap({}, 1, "stats")));
    replay.frames(2);
    const std::string atStart = replay.run.statsShown();
    EXPECT_EQ(atStart.substr(atStart.find('\n')),
              "\nBRICKS 77 awake 0 asleep\nSCENE wall PAIRS 3486\nREWIND 1 snaps, 0.1 s\nSPEED 1");
    replay.frames(598);
    const std::string settled = replay.run.statsShown();
    EXPECT_EQ(settled.substr(settled.find('\n')),
              "\nBRICKS 0 awake 77 asleep\nSCENE wall PAIRS 32\nREWIND 101 snaps, "
              "10.0 s\nSPEED 1");
}

// Frames 100 to 199 paused, flying and shooting meanwhile: the bricks end as in the same game
// without those frames.
TEST(Testbed, PausedFramesChangeNothingButTheFrameCount) {
    std::multimap<int, std::string> paused = tap(tap(kShot, 100, "pause"), 200, "pause");
    paused = tap(paused, 150, "fire");
    paused.emplace(120, "press forward");
    paused.emplace(180, "release forward");
    EXPECT_EQ(bricksAfter(recording(400, paused), 400), bricksAfter(recording(300, kShot), 300));
}

TEST(Testbed, WhilePausedAStepIsOneFixedStep) {
    Replay replay(recording(140, tap(tap(tap({}, 100, "pause"), 120, "step"), 130, "step")));
    replay.frames(100);
    const std::uint32_t before = replay.steps();
    replay.frames(40);
    EXPECT_EQ(replay.steps(), before + 2);
}

// Each speed spaces the same steps out: after as many steps, the bricks are where they are at
// full speed.
TEST(Testbed, EverySpeedGivesTheSameBricksStepForStep) {
    constexpr std::uint32_t kSteps = 120;
    std::vector<glm::vec3> atFullSpeed;
    {
        Replay fullSpeed(recording(kSteps * 4, {}));
        while (fullSpeed.steps() < kSteps) fullSpeed.frames(1);
        atFullSpeed = fullSpeed.bricks();
    }
    for (const int slower : {1, 2}) {
        std::multimap<int, std::string> events = tap({}, 1, "slower");
        if (slower == 2) events = tap(events, 3, "slower");
        Replay slow(recording(kSteps * 8, events));
        int frames = 0;
        while (slow.steps() < kSteps) {
            slow.frames(1);
            ++frames;
        }
        EXPECT_GT(frames, static_cast<int>(kSteps) * slower * 3 / 2) << slower;
        EXPECT_EQ(slow.bricks(), atFullSpeed) << slower;
    }
}

// The viewer's keys work over a playing replay too: the pause key holds it, the faster key seeks
// on; the timeline shows where it stands, of all its frames.
TEST(Testbed, TheViewersKeysHoldAndSeekAPlayingReplayAndTheTimelineShowsItsFrames) {
    Replay replay(recording(100, {}));
    replay.frames(30);
    EXPECT_EQ(replay.run.timelineShown(),
              "REPLAY [#########.....................] 30/100\n"
              "P hold, O a frame (Left Shift: back), [ ] 10 s");
    Platform::Fake::tapKey('P');
    replay.frames(10);
    EXPECT_EQ(replay.run.framesRun(), 31);
    EXPECT_NE(replay.run.timelineShown().find("31/100 HELD"), std::string::npos);
    Platform::Fake::tapKey(']');
    replay.frames(1);
    EXPECT_EQ(replay.run.framesRun(), 100);
}

// Held at its last frame and let go, a replay ends there: no frame past the recording is played,
// on a time it does not hold.
TEST(Testbed, AReplayHeldAtItsLastFrameEndsThereWhenLetGo) {
    const std::string text = recording(45, kShot);
    const std::vector<glm::vec3> played = bricksAfter(text, 45);
    Replay replay(text);
    replay.frames(10);
    replay.run.seekReplay(45);
    replay.run.replay().hold(false);
    EXPECT_FALSE(replay.run.frame());
    EXPECT_EQ(replay.run.framesRun(), 45);
    EXPECT_EQ(replay.bricks(), played);
}

// A seek plays the replay again from its start: the frame reached is the frame played, and the
// replay goes on from there to the same end.
TEST(Testbed, AFrameReachedBySeekingIsTheFramePlayed) {
    // Seeking back from a frame in which a key is held: nothing is held from the start on.
    std::multimap<int, std::string> events = kShot;
    events.emplace(320, "press forward");
    events.emplace(380, "release forward");
    const std::string text = recording(400, events);
    std::vector<glm::vec3> atFrame300;
    std::vector<glm::vec3> atTheEnd;
    glm::vec3 angles;
    glm::vec3 eye;
    {
        Replay played(text);
        played.frames(300);
        atFrame300 = played.bricks();
        angles = mainCamera.view.angles;
        eye = mainCamera.view.eyePosition();
        played.frames(100);
        atTheEnd = played.bricks();
    }
    Replay sought(text);
    sought.frames(350);
    sought.run.seekReplay(300);
    EXPECT_EQ(sought.run.framesRun(), 300);
    EXPECT_EQ(sought.bricks(), atFrame300);
    EXPECT_EQ(mainCamera.view.angles, angles);
    EXPECT_EQ(mainCamera.view.eyePosition(), eye);
    // Held there until let go.
    sought.frames(10);
    EXPECT_EQ(sought.run.framesRun(), 300);
    sought.run.replay().hold(false);
    while (sought.run.frame()) {
    }
    EXPECT_EQ(sought.bricks(), atTheEnd);
}
