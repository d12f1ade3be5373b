#include <gtest/gtest.h>

#include <string>

#include "core/Numbers.h"

using namespace std::string_literals;
using Numbers::Bounds;

// Every number any reader of the game takes goes through here: a whole decimal word within its
// bounds as read and as the type that keeps it.
TEST(Numbers, OnlyAWholeDecimalWordWithinItsBoundsIsTaken) {
    const Bounds sensitivity = Bounds::above(0.0, 10.0);
    const struct {
        std::string word;
        bool taken;
        float value;
    } floats[] = {
        {"10", true, 10.0f},  {"2.5", true, 2.5f},      {"+2", true, 2.0f},
        {"1e-1", true, 0.1f}, {"10.0000001", false, 0}, {"0", false, 0},
        {"1e-300", false, 0}, {"-1", false, 0},         {"2x", false, 0},
        {"1-2", false, 0},    {"0x2", false, 0},        {"3\0"s, false, 0},
        {" 1", false, 0},     {"", false, 0},           {"nan", false, 0},
        {"inf", false, 0},    {"1e999", false, 0},      {std::string(65, '1'), false, 0},
    };
    for (const auto& c : floats) {
        float value = -7.0f;
        EXPECT_EQ(Numbers::read(c.word, sensitivity, value), c.taken) << c.word;
        EXPECT_EQ(value, c.taken ? c.value : -7.0f) << c.word;
    }
    const struct {
        const char* word;
        bool taken;
    } ints[] = {{"5184000", true}, {"+5", true},   {"0", false},   {"1e3", false},
                {"1.0", false},    {"++5", false}, {"+-5", false}, {"99999999999", false}};
    for (const auto& c : ints) {
        int value = 0;
        EXPECT_EQ(Numbers::read(c.word, Bounds::within(1, 5184000), value), c.taken) << c.word;
    }
    double seconds = 0.0;
    EXPECT_TRUE(Numbers::read("0", Bounds::within(0.0, 1.0), seconds));
    EXPECT_FALSE(Numbers::read("0", Bounds::above(0.0, 1.0), seconds));
}
