#pragma once

#include <gtest/gtest.h>

// Opens a hidden window with a real OpenGL 4.2 core context through the fake platform, with the
// extension entry points loaded. Fails the test when there is no display: these tests need one.
void openGlContext();

// For tests whose objects make GL calls when built or drawn.
class GlTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(openGlContext()); }
};
