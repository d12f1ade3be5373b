#include <gtest/gtest.h>

#include "core/Json.h"

TEST(Json, QuotesBackslashesAndControlCharactersAreEscaped) {
    EXPECT_EQ(jsonString("Left Shift"), "\"Left Shift\"");
    EXPECT_EQ(jsonString("a \"b\" \\ c"), "\"a \\\"b\\\" \\\\ c\"");
    EXPECT_EQ(jsonString(std::string("\n\t\x01", 3)), "\"\\u000a\\u0009\\u0001\"");
}

TEST(Json, NumbersAreTheShortestThatReadBackTheSame) {
    EXPECT_EQ(jsonNumber(0.25), "0.25");
    EXPECT_EQ(jsonNumber(10.0f), "10");
    EXPECT_EQ(jsonNumber(0.1f), "0.10000000149011612");
}
