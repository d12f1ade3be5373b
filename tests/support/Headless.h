#pragma once

#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "render/RenderContext.h"

// For tests of objects that need no OpenGL (physics, rewind): drawing is off, so objects make no
// GL objects, and the fake platform runs without any context. Needs no display, on any system.
class HeadlessTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Platform::init());
        RenderContext::instance()->setDrawing(false);
    }
    void TearDown() override { RenderContext::instance()->setDrawing(true); }
};
