#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "app/CompactRecording.h"
#include "app/Script.h"

namespace {

Script::Script parseText(const std::string& text) {
    std::istringstream in(text);
    return Script::parse(in, "rec.txt");
}

std::string bytesOf(const std::vector<std::uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// frames of steady play: a tick count and a mouse motion a frame, a shot every 50th.
std::string played(int frames) {
    std::string text = Script::headerLine() + "look 2 inverted 75\nscene tower\n";
    for (int f = 1; f <= frames; ++f) {
        text += Script::mouseLine(f, f % 7 - 3, f % 3);
        text += Script::deltaLine(f, (17400 + 128 * (f % 3)) / 1048576.0);
        if (f % 50 == 0) text += Script::actionLine(f, Action::Fire, true);
        if (f % 50 == 1) text += Script::actionLine(f, Action::Fire, false);
    }
    return text;
}

}  // namespace

// Each kind of line a recording holds, a time that is no whole tick among them, comes back as
// the very text it was.
TEST(CompactRecording, ARecordingComesBackAsTheSameText) {
    for (const std::string& text :
         {std::string("kelvarin-script 5\nlook 2.5 inverted 75\nscene big-wall:7x3\n"
                      "1 ticks 17476\n1 press forward\n1 press fire\n2 mouse -4 7\n"
                      "2 delta 0.0166\n2 release fire\n3 look 1.25 normal 60\n3 ticks 0\n"
                      "3 dump\n4 ticks 99999\n"),
          played(150)}) {
        const Script::Script read =
            CompactRecording::decode(bytesOf(CompactRecording::encode(parseText(text))), "rec");
        ASSERT_EQ(read.error, "");
        EXPECT_TRUE(read.compact);
        EXPECT_EQ(Script::write(read), text);
    }
}

// The game's writer, with a browser's clock step and chunks taken at uneven points, writes what
// the converter does for the same frames.
TEST(CompactRecording, TheGamesChunksReadAsOneRecording) {
    const Script::Script script = parseText(played(90));
    CompactRecording::Writer writer(script.look, script.scene, 128);
    std::string bytes;
    for (int f = 1; f <= script.lastFrame; ++f) {
        writer.addFrame(script.at(f).begin(), script.at(f).end());
        if (f % 37 == 0 || f == 2) bytes += bytesOf(writer.take());
    }
    bytes += bytesOf(writer.take());
    EXPECT_EQ(Script::write(CompactRecording::decode(bytes, "rec")), played(90));
}

// A byte changed anywhere is refused by the byte of its chunk, with no frame given; a file cut
// between chunks (a crash) gives the frames of its whole chunks, one cut within a chunk nothing.
TEST(CompactRecording, DamageIsRefusedByItsByteAndACutKeepsWholeChunks) {
    const std::string bytes = bytesOf(CompactRecording::encode(parseText(played(150))));
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::string damaged = bytes;
        damaged[i] = static_cast<char>(damaged[i] ^ 0x10);
        const Script::Script read = CompactRecording::decode(damaged, "d.rec");
        ASSERT_EQ(read.error.rfind("d.rec: byte ", 0), 0u) << i << ": " << read.error;
        EXPECT_EQ(read.lastFrame, 0);
        EXPECT_TRUE(read.events.empty());
    }
    std::vector<std::size_t> wholeCuts;
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        const Script::Script read = CompactRecording::decode(bytes.substr(0, size), "c.rec");
        if (read.error.empty()) {
            EXPECT_EQ(read.lastFrame, 60 * static_cast<int>(wholeCuts.size())) << size;
            wholeCuts.push_back(size);
        } else {
            EXPECT_NE(read.error.find(": cut off in the "), std::string::npos) << read.error;
        }
    }
    // After the header, and after each of the two chunks of 60 frames.
    ASSERT_EQ(wholeCuts.size(), 3u);
    const std::size_t second = wholeCuts[1];
    EXPECT_EQ(CompactRecording::decode(bytes.substr(0, second + 3), "c.rec").error,
              "c.rec: byte " + std::to_string(second + 1) + ": cut off in the frames from 61 on");
    std::string damaged = bytes;
    damaged[second + 9] = static_cast<char>(damaged[second + 9] ^ 1);
    EXPECT_EQ(CompactRecording::decode(damaged, "d.rec").error,
              "d.rec: byte " + std::to_string(second + 1) + ": damaged in the frames from 61 on");
}
