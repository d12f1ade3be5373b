#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "app/Session.h"
#include "input/Input.h"
#include "platform/FakePlatform.h"

namespace {

std::string fileText(const std::string& path) {
    std::ifstream file(path);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// The game writes recordings compact: what it wrote, as text.
std::string recordedText(const std::string& path) {
    const Script::Script recording = Script::readFile(path, path);
    EXPECT_EQ(recording.error, "");
    EXPECT_TRUE(recording.compact);
    return Script::write(recording);
}

// The input state and a recording file of its own; no window is needed for either.
class SessionTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Platform::init());
        path = testing::TempDir() + "kelvarin-session-" + std::to_string(::getpid()) + ".rec";
    }
    void TearDown() override { std::remove(path.c_str()); }
    void poll() { Input::instance()->poll(Platform::Gamepad()); }

    std::string path;
};

}  // namespace

TEST_F(SessionTest, RecordsDeltasSampledBindingsAndCursorReportsInFrameOrder) {
    Session session;
    ASSERT_TRUE(session.startRecording(path, LookSettings{2.0f, true}));
    // A report during start-up, before any frame, is not recorded: every run repeats it.
    session.onCursorReport(512, 384);
    session.beginFrame();
    Platform::Fake::setKey('W', true);
    Platform::Fake::setMouseButton(Platform::kMouseButtonLeft, true);
    poll();
    session.afterPoll(0.25, *Input::instance());
    EXPECT_TRUE(session.onCursorReport(520, 380));
    session.beginFrame();
    Platform::Fake::setKey('W', false);
    poll();
    session.afterPoll(1.0 / 60.0, *Input::instance());
    // Belongs to a frame that is never played: a recording ends with its last played frame.
    EXPECT_TRUE(session.onCursorReport(530, 384));
    session.finish();

    const std::string expected =
        "kelvarin-script 5\n"
        "look 2 inverted 60\n"
        "1 ticks 262144\n"
        "1 press forward\n"
        "1 press fire\n"
        "2 mouse 8 -4\n"
        "2 delta 0.016666666666666666\n"
        "2 release forward\n";
    EXPECT_EQ(recordedText(path), expected);
    std::istringstream in(expected);
    EXPECT_EQ(Script::write(Script::parse(in, path)), expected);
}

TEST_F(SessionTest, TheFileHoldsEverythingUpToTheLastSecondBeforeTheEnd) {
    Session session;
    ASSERT_TRUE(session.startRecording(path, LookSettings()));
    session.beginFrame();
    session.afterPoll(0.5, *Input::instance());
    EXPECT_EQ(fileText(path), "");
    session.beginFrame();
    session.afterPoll(0.5, *Input::instance());
    // A second of play has passed: without finish, the file already has both frames.
    EXPECT_EQ(recordedText(path),
              "kelvarin-script 5\nlook 1 normal 60\n1 ticks 524288\n2 ticks 524288\n");
}

TEST_F(SessionTest, AnUnwritablePathSaysSoOnceAndPlayGoesOn) {
    Session session;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(session.startRecording("/no-such-folder/game.rec", LookSettings()));
    session.beginFrame();
    session.afterPoll(0.5, *Input::instance());
    EXPECT_TRUE(session.onCursorReport(500, 400));
    session.finish();
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("/no-such-folder/game.rec"), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
}

TEST_F(SessionTest, AReplayGivesTheRecordedDeltasAndStatesAndEndsAfterItsLastFrame) {
    std::istringstream in(
        "kelvarin-script 3\nlook 2 normal\n1 mouse 3 -2\n1 delta 0.125\n1 press rewind\n"
        "2 delta 0.5\n");
    Session session;
    session.startReplay(Script::parse(in, "replay"));
    const ReplayedFrame first = session.beginFrame();
    EXPECT_FALSE(session.isOver());
    // The view turns as it turned in the recorded game, whatever the player's settings are.
    EXPECT_EQ(Input::instance()->getSensitivityX(), 2.0f * 0.04f);
    ASSERT_EQ(first.cursorReports.size(), 1u);
    EXPECT_EQ(first.cursorReports[0].x, 515);
    EXPECT_EQ(first.cursorReports[0].y, 382);
    EXPECT_TRUE(first.timed);
    EXPECT_EQ(first.delta, 0.125);
    Platform::Fake::setKey(Platform::kKeySpace, false);
    poll();
    EXPECT_TRUE(Input::instance()->isRewindPressed());
    // Real cursor reports give way to the recorded ones.
    EXPECT_FALSE(session.onCursorReport(600, 300));
    const ReplayedFrame second = session.beginFrame();
    EXPECT_TRUE(second.cursorReports.empty());
    EXPECT_EQ(second.delta, 0.5);
    EXPECT_TRUE(session.isOver());
}
