#include "tests/support/GlContext.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/WindowSize.h"
#include "platform/FakePlatform.h"

void openGlContext() {
    ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "these tests need an X display (Xvfb)";
    Platform::Fake::useRealContext(true);
    ASSERT_TRUE(Platform::init());
    Platform::openWindowHint(Platform::Hint::OpenGlVersionMajor, 4);
    Platform::openWindowHint(Platform::Hint::OpenGlVersionMinor, 2);
    Platform::openWindowHint(Platform::Hint::OpenGlProfile, Platform::kOpenGlCoreProfile);
    ASSERT_TRUE(Platform::openWindow(Core::kWindowWidth, Core::kWindowHeight, 32));
    glewExperimental = GL_TRUE;
    ASSERT_EQ(glewInit(), static_cast<GLenum>(GLEW_OK));
    glGetError();
}
