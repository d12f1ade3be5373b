#include "app/RunWindow.h"

#include <GL/glew.h>

#include <iostream>
#include <sstream>

#include "core/Messages.h"
#include "core/WindowSize.h"
#include "input/Camera.h"
#include "platform/Platform.h"
#include "platform/System.h"
#include "render/GlErrors.h"
#include "render/Model.h"
#include "render/RenderContext.h"
#include "render/Shader.h"
#include "render/Texture.h"
#include "scene/BrickWallScene.h"
#include "sound/Sound.h"

namespace {

constexpr const char* kTitle = "Kelvarin";
constexpr int kDepthBits = 32;
constexpr int kSamples = 4;
constexpr int kGlVersionMajor = 4;
constexpr int kGlVersionMinor = 2;
constexpr float kClearGrey = 0.3f;
constexpr float kLineWidth = 2.0f;

// The console window stands to the right of the game's window, as tall as it.
constexpr int kConsoleGap = 32;
constexpr int kConsoleWidth = Core::kWindowWidth / 2;

Shaders::AmbDifSpecShader& litShader() {
    return *RenderContext::instance()->getShader();
}

}  // namespace

bool RunWindow::open(bool draws, bool fullscreen) {
    drawing = draws;
    RenderContext::instance()->setDrawing(drawing);
    if (!Platform::init()) {
        std::cerr << "GLFWInit Failed!" << std::endl;
        return false;
    }
    if (!(drawing ? openWithOpenGl()
                  : Platform::openWindow(Core::kWindowWidth, Core::kWindowHeight, 0))) {
        return false;
    }
    if (fullscreen) Platform::setFullscreen(true);
    if (!drawing) return true;
    Platform::placeConsoleWindow(Core::kWindowWidth + kConsoleGap, 0, kConsoleWidth,
                                 Core::kWindowHeight);
    createModelBuffers();
    loadTextures();
    return true;
}

bool RunWindow::openWithOpenGl() {
    Platform::openWindowHint(Platform::Hint::FsaaSamples, kSamples);
    Platform::openWindowHint(Platform::Hint::OpenGlVersionMajor, kGlVersionMajor);
    Platform::openWindowHint(Platform::Hint::OpenGlVersionMinor, kGlVersionMinor);
    Platform::openWindowHint(Platform::Hint::OpenGlProfile, Platform::kOpenGlCoreProfile);
    if (!Platform::openWindow(Core::kWindowWidth, Core::kWindowHeight, kDepthBits)) {
        std::cerr << "GLFWOpenWindow Failed!" << std::endl;
        Platform::terminate();
        return false;
    }
    if (!Platform::loadGlEntryPoints()) {
        std::cerr << "GLEWInit Failed!" << std::endl;
        return false;
    }
    // The core profile has no GL_EXTENSIONS string; the loader's probe for it leaves an error
    // behind that would otherwise be the first thing a glGetError sees.
    glGetError();
    return true;
}

void RunWindow::prepareLitProgram() {
    if (!drawing) return;
    litShader().init();
    litShader().use();
}

void RunWindow::prepareFrames() {
    if (drawing) glLineWidth(kLineWidth);
    Platform::setWindowTitle(kTitle);
    Platform::enableStickyKeys();
    if (!drawing) return;
    glClearColor(kClearGrey, kClearGrey, kClearGrey, 0.0f);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glEnable(GL_CULL_FACE);
}

GLUtils::FrameLayout RunWindow::layout() const {
    int framebufferWidth = 0;
    int framebufferHeight = 0;
    int windowWidth = 0;
    int windowHeight = 0;
    Platform::getFramebufferSize(framebufferWidth, framebufferHeight);
    Platform::getWindowSize(windowWidth, windowHeight);
    return GLUtils::layoutFrame(framebufferWidth, framebufferHeight, windowWidth);
}

// The camera position uploaded is the one before this frame's movement.
void RunWindow::beginDrawing(BrickWallScene& scene, const GLUtils::FrameLayout& layout) {
    glViewport(layout.scene.x, layout.scene.y, layout.scene.width, layout.scene.height);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    RenderContext::instance()->getCamera()->setAspectRatio(layout.aspectRatio);
    scene.text.setArea(layout.overlay);
    Shaders::AmbDifSpecShader& shader = litShader();
    shader.use();
    shader.setLights();
    shader.setCameraPosition();
}

// Broken media must never reach the driver as undefined state; if something still does, it is
// said once and counted, and the game goes on.
void RunWindow::checkErrors(int frame) {
    if (!GLUtils::isErrorReadDue(frame, Platform::driverReadsStall())) return;
    const GLenum error = GLUtils::takeGlErrors();
    if (error == GL_NO_ERROR || errors++ > 0) return;
    std::ostringstream what;
    what << "OpenGL error 0x" << std::hex << error << std::dec << " in frame " << frame
         << "; later frames with errors are only counted";
    Messages::say(what.str());
}

void RunWindow::release() {
    if (drawing) {
        deleteModelBuffers();
        deleteTextures();
        litShader().destroy();
    }
    stopSound();
    Platform::setGamepadListener(nullptr);
    Platform::terminate();
}
