#include "tests/support/GlContext.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "input/Camera.h"
#include "input/Input.h"
#include "platform/FakePlatform.h"
#include "render/RenderContext.h"
#include "rewind/Controller.h"

void openGlContext() {
    ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "these tests need an X display (Xvfb)";
    Platform::Fake::useRealContext(true);
    ASSERT_TRUE(Platform::init());
    Platform::openWindowHint(Platform::Hint::OpenGlVersionMajor, 4);
    Platform::openWindowHint(Platform::Hint::OpenGlVersionMinor, 2);
    Platform::openWindowHint(Platform::Hint::OpenGlProfile, Platform::kOpenGlCoreProfile);
    ASSERT_TRUE(Platform::openWindow(1024, 768, 0, 0, 0, 0, 32, 0, Platform::WindowMode::Windowed));
    glewExperimental = GL_TRUE;
    ASSERT_EQ(glewInit(), static_cast<GLenum>(GLEW_OK));
    glGetError();
}

namespace {

// Tests share one process when the binary runs on its own: each starts as a fresh game would, with
// a fresh fake platform (keys, timer, window, failure switches), camera, input and rewind
// timeline, in the folder the run started in, whatever the test before it left behind.
class FreshPlatformPerTest : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override {
        Platform::Fake::reset();
        std::filesystem::current_path(startFolder);
        mainCamera = Camera();
        *Input::instance() = Input();
        *Rewind::Controller::instance() = Rewind::Controller();
        RenderContext::instance()->setDrawing(true);
    }

    const std::filesystem::path startFolder = std::filesystem::current_path();
};

const bool freshPlatformRegistered = [] {
    testing::UnitTest::GetInstance()->listeners().Append(new FreshPlatformPerTest);
    return true;
}();

}  // namespace
