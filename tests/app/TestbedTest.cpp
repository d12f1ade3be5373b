#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/GameRun.h"
#include "app/Script.h"
#include "app/Session.h"
#include "input/Camera.h"
#include "rewind/Controller.h"
#include "scene/BrickWallScene.h"
#include "tests/support/FreshState.h"

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

struct Replay {
    Session session;
    GameRun run;

    explicit Replay(const std::string& text) {
        startAfresh();
        std::istringstream in(text);
        session.startReplay(Script::parse(in, "testbed.rec"));
        RunConfig config;
        config.drawing = false;
        config.session = &session;
        EXPECT_TRUE(run.start(config));
    }
    ~Replay() { run.finish(); }

    void frames(int count) {
        for (int i = 0; i < count; ++i) run.frame();
    }
    std::vector<glm::vec3> bricks() {
        std::vector<glm::vec3> positions;
        for (const Geo::Brick& brick : run.scene().bricks) positions.push_back(brick.getPosition());
        return positions;
    }
    std::uint32_t steps() const { return Rewind::Controller::instance()->getFrameCounter(); }
};

std::vector<glm::vec3> bricksAfter(const std::string& text, int frames) {
    Replay replay(text);
    replay.frames(frames);
    return replay.bricks();
}

}  // namespace

// A restart lays the wall as a new game does: from then on the bricks are a new game's.
TEST(Testbed, TheBricksAfterARestartAreANewGamesByteForByte) {
    const auto restarted = tap(kShot, 200, "restart");
    EXPECT_EQ(bricksAfter(recording(499, restarted), 499), bricksAfter(recording(300, {}), 300));
    EXPECT_NE(bricksAfter(recording(499, kShot), 499), bricksAfter(recording(300, {}), 300));
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
    sought.run.replayTimeline().hold(false);
    while (sought.run.frame()) {
    }
    EXPECT_EQ(sought.bricks(), atTheEnd);
}
