#include <gtest/gtest.h>

#include "core/Json.h"

TEST(Json, QuotesBackslashesAndControlCharactersAreEscaped) {
    EXPECT_EQ(jsonString("Left Shift"), "\"Left Shift\"");
    EXPECT_EQ(jsonString("a \"b\" \\ c"), "\"a \\\"b\\\" \\\\ c\"");
    EXPECT_EQ(jsonString(std::string("\n\t\x01", 3)), "\"\\u000a\\u0009\\u0001\"");
}
