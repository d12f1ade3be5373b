#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include "platform/GlfwMapping.h"
#include "platform/Platform.h"

TEST(GlfwMapping, EveryBindingOfTheGameReachesItsOwnKey) {
    EXPECT_EQ(GlfwMapping::toGlfwKey(Platform::kKeyEsc), GLFW_KEY_ESCAPE);
    EXPECT_EQ(GlfwMapping::toGlfwKey(Platform::kKeyLShift), GLFW_KEY_LEFT_SHIFT);
    EXPECT_EQ(GlfwMapping::toGlfwKey(Platform::kKeyRShift), GLFW_KEY_RIGHT_SHIFT);
    EXPECT_EQ(GlfwMapping::toGlfwKey(Platform::kKeySpace), GLFW_KEY_SPACE);
    EXPECT_EQ(GlfwMapping::toGlfwKey('W'), GLFW_KEY_W);
    EXPECT_EQ(GlfwMapping::toGlfwKey('A'), GLFW_KEY_A);
    EXPECT_EQ(GlfwMapping::toGlfwKey('S'), GLFW_KEY_S);
    EXPECT_EQ(GlfwMapping::toGlfwKey('D'), GLFW_KEY_D);
}

TEST(GlfwMapping, AHiddenCursorIsCapturedNotJustHidden) {
    EXPECT_EQ(GlfwMapping::cursorMode(false), GLFW_CURSOR_DISABLED);
    EXPECT_EQ(GlfwMapping::cursorMode(true), GLFW_CURSOR_NORMAL);
}
