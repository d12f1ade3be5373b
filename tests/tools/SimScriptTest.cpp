#include <gtest/gtest.h>

#include <sstream>

#include "platform/Platform.h"
#include "tools/sim/SimScript.h"

using SimScript::Event;

TEST(SimScript, ReadsPressesMouseMovesAndDumpsByFrame) {
    std::istringstream in(
        "# look down, shoot\n180 mouse 0 1400\n\n200 press fire\n201 release fire\n"
        "200 press rewind\n300 dump\n");
    const SimScript::Script s = SimScript::parse(in);
    ASSERT_TRUE(s.error.empty()) << s.error;
    ASSERT_EQ(s.byFrame.at(200).size(), 2u);
    EXPECT_EQ(s.byFrame.at(180)[0].kind, Event::Kind::Mouse);
    EXPECT_EQ(s.byFrame.at(180)[0].dy, 1400);
    EXPECT_TRUE(s.byFrame.at(200)[0].isMouseButton);
    EXPECT_EQ(s.byFrame.at(200)[1].code, Platform::kKeySpace);
    EXPECT_EQ(s.byFrame.at(201)[0].kind, Event::Kind::Release);
    EXPECT_EQ(s.byFrame.at(300)[0].kind, Event::Kind::Dump);
}

TEST(SimScript, RejectsUnknownBindingsAndBadFrames) {
    for (const char* text :
         {"10 press jump\n", "0 dump\n", "x dump\n", "5 mouse 3\n", "5 wave\n"}) {
        std::istringstream in(text);
        EXPECT_FALSE(SimScript::parse(in).error.empty()) << text;
    }
}
