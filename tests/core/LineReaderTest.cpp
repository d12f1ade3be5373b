#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/LineReader.h"

namespace {

struct Read {
    std::vector<std::string> lines;
    bool lastHadLineFeed = true;
    bool cutShort = false;
};

Read readAll(const std::string& text, std::size_t maxLine, std::size_t maxTotal = 1000) {
    std::istringstream in(text);
    LineReader reader(in, maxLine, maxTotal);
    Read read;
    std::string line;
    for (LineReader::Result r; (r = reader.next(line)) != LineReader::Result::End;) {
        read.lines.push_back(r == LineReader::Result::TooLong ? "<too long>" : line);
    }
    read.lastHadLineFeed = reader.endedWithLineFeed();
    read.cutShort = reader.cutShort();
    return read;
}

}  // namespace

// Lines without their line ends or a byte-order mark, bounded in length and in all.
TEST(LineReader, GivesEachLineWithinItsBounds) {
    const struct {
        std::string text;
        std::size_t maxTotal;
        std::vector<std::string> lines;
        bool lastHadLineFeed;
        bool cutShort;
    } cases[] = {
        {"a\r\nb\n", 1000, {"a", "b"}, true, false},
        {"\xef\xbb\xbf"
         "a\n\xef\xbb\xbf"
         "b\n",
         1000,
         {"a",
          "\xef\xbb\xbf"
          "b"},
         true,
         false},
        {"12345\nab\n", 1000, {"<too long>", "ab"}, true, false},
        {"a\nb", 1000, {"a", "b"}, false, false},
        {"ab\ncd\nef\n", 5, {"ab", "cd"}, false, true},
        {"", 1000, {}, true, false},
    };
    for (const auto& c : cases) {
        const Read read = readAll(c.text, 4, c.maxTotal);
        EXPECT_EQ(read.lines, c.lines) << c.text;
        EXPECT_EQ(read.lastHadLineFeed, c.lastHadLineFeed) << c.text;
        EXPECT_EQ(read.cutShort, c.cutShort) << c.text;
    }
}

TEST(LineReader, TextIsShownWithEveryByteATerminalWouldActOnEscaped) {
    EXPECT_EQ(shownSafely("plain text ~"), "plain text ~");
    EXPECT_EQ(shownSafely("\x1b[2J\\\x7f\xff\n"), "\\x1b[2J\\x5c\\x7f\\xff\\x0a");
}
