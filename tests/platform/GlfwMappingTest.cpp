#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include "platform/GlfwMapping.h"
#include "platform/Platform.h"

TEST(GlfwMapping, EveryBindingOfTheGameReachesItsOwnKey) {
    EXPECT_EQ(Platform::GlfwMapping::toGlfwKey(Platform::kKeyEsc), GLFW_KEY_ESCAPE);
    EXPECT_EQ(Platform::GlfwMapping::toGlfwKey(Platform::kKeyLShift), GLFW_KEY_LEFT_SHIFT);
    EXPECT_EQ(Platform::GlfwMapping::toGlfwKey(Platform::kKeyRShift), GLFW_KEY_RIGHT_SHIFT);
    EXPECT_EQ(Platform::GlfwMapping::toGlfwKey(Platform::kKeySpace), GLFW_KEY_SPACE);
    EXPECT_EQ(Platform::GlfwMapping::toGlfwKey('W'), GLFW_KEY_W);
    EXPECT_EQ(Platform::GlfwMapping::toGlfwKey('A'), GLFW_KEY_A);
    EXPECT_EQ(Platform::GlfwMapping::toGlfwKey('S'), GLFW_KEY_S);
    EXPECT_EQ(Platform::GlfwMapping::toGlfwKey('D'), GLFW_KEY_D);
}

TEST(GlfwMapping, AHiddenCursorIsCapturedNotJustHidden) {
    EXPECT_EQ(Platform::GlfwMapping::cursorMode(false), GLFW_CURSOR_DISABLED);
    EXPECT_EQ(Platform::GlfwMapping::cursorMode(true), GLFW_CURSOR_NORMAL);
}
