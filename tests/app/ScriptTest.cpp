#include <gtest/gtest.h>

#include <sstream>

#include "app/Script.h"
#include "platform/Platform.h"

using Script::Event;

namespace {

Script::Script parseText(const std::string& text) {
    std::istringstream in(text);
    return Script::parse(in, "rec.txt");
}

constexpr const char* kRecording =
    "kelvarin-script 5\n"
    "look 2.5 inverted 75\n"
    "1 delta 0.35036289900000001\n"
    "2 mouse 0 25\n"
    "2 delta 0.016668442000000002\n"
    "2 press forward\n"
    "2 press fire\n"
    "3 mouse -4 7\n"
    "3 ticks 17408\n"
    "3 release fire\n"
    "3 press rewind\n"
    "4 look 1.25 normal 60\n"
    "4 delta 0.0166\n";

}  // namespace

TEST(Script, ReadsPressesMouseMovesAndDumpsByFrame) {
    const Script::Script s = parseText(
        "# look down, shoot\n180 mouse 0 1400\n\n200 press fire\n201 release fire\n"
        "200 press rewind\n300 dump\n");
    ASSERT_TRUE(s.error.empty()) << s.error;
    const Script::Frame at200 = s.at(200);
    ASSERT_EQ(at200.end() - at200.begin(), 2);
    EXPECT_EQ(s.at(180).begin()->kind, Event::Kind::Mouse);
    EXPECT_EQ(s.at(180).begin()->dy, 1400);
    EXPECT_EQ(at200.begin()[0].action, Action::Fire);
    EXPECT_EQ(at200.begin()[1].action, Action::Rewind);
    EXPECT_EQ(s.at(201).begin()->kind, Event::Kind::Release);
    EXPECT_EQ(s.at(300).begin()->kind, Event::Kind::Dump);
    EXPECT_EQ(s.at(250).begin(), s.at(250).end());
}

// A recording of another scene names it after its look; one of the game's wall says nothing, as
// recordings always have.
TEST(Script, TheSceneIsNamedOnceBeforeTheFramesAndOnlyWhenNotTheWall) {
    const std::string text =
        "kelvarin-script 5\nlook 1 normal 60\nscene big-wall:7x3\n1 ticks 524288\n";
    const Script::Script s = parseText(text);
    ASSERT_TRUE(s.error.empty()) << s.error;
    EXPECT_EQ(s.scene, (SceneLayout::Choice{SceneLayout::Kind::BigWall, 7, 3}));
    EXPECT_EQ(Script::write(s), text);
    EXPECT_EQ(Script::sceneLine({}), "");
    EXPECT_EQ(parseText("scene rain\n5 dump\n").scene.kind, SceneLayout::Kind::Rain);
}

TEST(Script, ARecordingReadBackAndWrittenAgainIsTheSameText) {
    const Script::Script s = parseText(kRecording);
    ASSERT_TRUE(s.error.empty()) << s.error;
    EXPECT_EQ(s.version, Script::kRecordingVersion);
    EXPECT_EQ(s.lastFrame, 4);
    EXPECT_EQ(s.at(4).begin()->look, (LookSettings{1.25f, false, 60}));
    EXPECT_EQ(s.look.fieldOfView, 75);
    EXPECT_EQ(s.at(1).begin()->kind, Event::Kind::Delta);
    EXPECT_EQ(s.at(1).begin()->seconds, 0.35036289900000001);
    EXPECT_EQ(s.at(3).begin()[1].seconds, 17408 / Platform::kTimerTicksPerSecond);
    EXPECT_EQ(s.look.sensitivity, 2.5f);
    EXPECT_TRUE(s.look.invertY);
    EXPECT_EQ(Script::write(s), kRecording);
}

// Older recordings play with the look they lack (version 2 has none, version 3 no field of view),
// and are written again as the game writes its own.
TEST(Script, AnOlderRecordingPlaysWithTheDefaultLookAndIsWrittenAsTheNewest) {
    for (const char* text :
         {"kelvarin-script 2\n1 delta 0.5\n", "kelvarin-script 3\nlook 1 normal\n1 delta 0.5\n"}) {
        const Script::Script s = parseText(text);
        ASSERT_TRUE(s.error.empty()) << s.error;
        EXPECT_EQ(s.look, LookSettings());
        EXPECT_EQ(Script::write(s), "kelvarin-script 5\nlook 1 normal 60\n1 ticks 524288\n");
    }
    // Every float sensitivity comes back exactly, those needing nine digits too.
    for (const float sensitivity : {0.1f, 1.2345678f, 9.99999905f}) {
        const LookSettings look{sensitivity, true};
        EXPECT_EQ(parseText(Script::headerLine() + Script::lookLine(look)).look, look);
    }
}

TEST(Script, EveryDeltaSurvivesTheTextExactly) {
    for (double seconds : {0.0, 1.0 / 60.0, 0.1 + 0.2, 5e-324, 123456.789012345678}) {
        const Script::Script s =
            parseText(Script::headerLine() + Script::lookLine({}) + Script::deltaLine(1, seconds));
        ASSERT_TRUE(s.error.empty()) << s.error;
        EXPECT_EQ(s.at(1).begin()->seconds, seconds);
    }
}

// Every damaged or hostile recording is refused by file and line, and what it holds stays
// bounded: no line longer than the bound is kept, no frame number beyond a day is taken.
TEST(Script, ABadRecordingIsNamedByFileAndLine) {
    const std::string longLine(Script::kMaxLineBytes + 1, '7');
    const struct {
        std::string text;
        std::string error;
    } cases[] = {
        {"kelvarin-script 2\n1 delta 0.1\n1 jump\n", "rec.txt:3: unknown line"},
        {"kelvarin-script 2\n1 delta -1\n", "rec.txt:2: bad number"},
        {"kelvarin-script 2\n1 mouse 1 1e3\n", "rec.txt:2: bad number"},
        {"kelvarin-script 2\n1 press jump\n",
         "rec.txt:2: unknown action 'jump'; ACTION is " + Controls::actionNames()},
        {"10 release\n", "rec.txt:1: release needs an action: " + Controls::actionNames()},
        {"10 press pause extra\n", "rec.txt:1: press takes one action, not 'pause extra'"},
        {"kelvarin-script 2\n1 delta 0.1\n2 delta 0.1\n1 delta 0.1\n",
         "rec.txt:4: frame 1 after frame 2"},
        // Every frame has its time, in turn: none runs on the clock of whoever replays it.
        {"kelvarin-script 2\n1 delta 0.1\n5184000 delta 0.1\n",
         "rec.txt:3: frame 2 has no 'delta' line"},
        {"kelvarin-script 2\n1 mouse 0 5\n2 delta 0.1\n", "rec.txt:3: frame 1 has no 'delta' line"},
        {"kelvarin-script 2\n1 delta 0.1\n2 press fire\n",
         "rec.txt:3: frame 2 has no 'delta' line"},
        {"kelvarin-script 2\n1 delta 0.1\n1 delta 0.2\n",
         "rec.txt:3: frame 1 has a second 'delta' line"},
        {"kelvarin-script 2\n1 delta 0.1\n2 del", "rec.txt:3: cut off mid-line"},
        {"kelvarin-script 6\n", "rec.txt:1: unsupported format version"},
        {"kelvarin-script 4\nlook 1 normal 60\n1 ticks 5\n", "rec.txt:3: unknown line"},
        {"kelvarin-script 5\nlook 1 normal 60\n1 ticks 0.5\n", "rec.txt:3: bad number"},
        {"kelvarin-script 4\nlook 1 normal\n", "rec.txt:2: bad look line"},
        {"kelvarin-script 4\nlook 1 normal 111\n", "rec.txt:2: bad look line"},
        {"kelvarin-script 3\nlook 0 normal\n", "rec.txt:2: bad look line"},
        {"kelvarin-script 3\nlook 1e-300 normal\n", "rec.txt:2: bad look line"},
        {"kelvarin-script 3\nlook 10.0000001 normal\n", "rec.txt:2: bad look line"},
        {"kelvarin-script 3\nlook 1 sideways\n", "rec.txt:2: bad look line"},
        {"kelvarin-script 3\nlook 1 normal\nlook 2 normal\n", "rec.txt:3: look line out of place"},
        {"kelvarin-script 3\n1 delta 0.1\nlook 1 normal\n",
         "rec.txt:2: no look line ('look SENSITIVITY normal|inverted')"},
        {"kelvarin-script 2\nlook 1 normal\n", "rec.txt:2: bad frame number"},
        {"kelvarin-script 2\n0 dump\n", "rec.txt:2: bad frame number"},
        {"kelvarin-script 2\n5184001 delta 0.1\n",
         "rec.txt:2: frame beyond 5184000 (a day at 60 frames/s)"},
        {"kelvarin-script 2\n" + longLine + "\n", "rec.txt:2: a line longer than 4096 bytes"},
        {"1 delta 0.1\n", "rec.txt:1: unknown line"},
        {"5 wave\n", "rec.txt:1: unknown line"},
        {"scene nope\n", "rec.txt:1: 'nope' is not a scene: " + SceneLayout::described()},
        {"scene big-wall:101x2\n",
         "rec.txt:1: 'big-wall:101x2': big-wall takes COLUMNSxROWS, each from 1 to 100"},
        {"scene pyramid\nscene tower\n", "rec.txt:2: scene line out of place"},
        {"1 dump\nscene tower\n", "rec.txt:2: scene line out of place"},
        {"scene\n", "rec.txt:1: bad scene line ('scene NAME')"},
    };
    for (const auto& c : cases) EXPECT_EQ(parseText(c.text).error, c.error) << c.text;
    // Saved by a Windows editor: the byte-order mark is no part of the header.
    EXPECT_EQ(parseText("\xef\xbb\xbfkelvarin-script 2\n1 delta 0.1\n").error, "");
}

// What the game and kelvarin-sim refuse to replay before any window opens.
TEST(Script, OnlyARecordingWithFramesReplays) {
    EXPECT_EQ(Script::whyNotReplayable(parseText(""), "e.rec"),
              "e.rec:1: not a recording (no 'kelvarin-script' line)");
    EXPECT_EQ(Script::whyNotReplayable(parseText("10 press fire\n"), "h.rec"),
              "h.rec:1: not a recording (no 'kelvarin-script' line)");
    EXPECT_EQ(Script::whyNotReplayable(parseText("kelvarin-script 3\nlook 1 normal\n"), "n.rec"),
              "n.rec:1: a recording without frames");
    EXPECT_EQ(Script::whyNotReplayable(parseText(kRecording), "r.rec"), "");
}

TEST(Script, HandWrittenScriptsMayListFramesInAnyOrder) {
    const Script::Script s = parseText("200 press fire\n100 release fire\n");
    EXPECT_TRUE(s.error.empty()) << s.error;
    EXPECT_EQ(s.version, 1);
    EXPECT_EQ(s.lastFrame, 200);
}
