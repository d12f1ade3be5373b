#include "app/Application.h"

#include <GL/glew.h>

#include <iostream>
#include <memory>

#include "app/BrickDump.h"
#include "app/Session.h"
#include "core/FrameClock.h"
#include "core/WindowSize.h"
#include "input/Camera.h"
#include "input/Input.h"
#include "platform/Console.h"
#include "platform/CrashReport.h"
#include "platform/Platform.h"
#include "render/GlErrors.h"
#include "render/Model.h"
#include "render/RenderContext.h"
#include "render/Shader.h"
#include "render/Texture.h"
#include "render/Viewport.h"
#include "scene/BrickWallScene.h"
#include "sound/Sound.h"

namespace {

Camera& camera() {
    return *RenderContext::instance()->getCamera();
}

Shaders::AmbDifSpecShader& litShader() {
    return *RenderContext::instance()->getShader();
}

constexpr int kDepthBits = 32;
constexpr int kSamples = 4;
constexpr int kGlVersionMajor = 4;
constexpr int kGlVersionMinor = 2;
constexpr float kClearGrey = 0.3f;
constexpr float kLineWidth = 2.0f;

std::string brickDumpPath;
bool startFullscreen = false;
LookSettings startLook;

// Frames since prepareFrameLoop, the one in progress included: named by crash reports and error
// messages, and equal to a recording's frame numbers.
int framesRun = 0;
int framesWithGlErrors = 0;

// A crash keeps the recording up to the frame it happened in, so the session can be replayed.
void flushRecordingOnCrash() {
    if (Session* session = currentSession()) session->flush();
}

// Broken media must never reach the driver as undefined state; if something still does, it is
// said once and counted, and the game goes on.
void checkGlErrors() {
    const GLenum error = GLUtils::takeGlErrors();
    if (error == GL_NO_ERROR) return;
    if (framesWithGlErrors++ == 0) {
        std::cerr << "kelvarin: OpenGL error 0x" << std::hex << error << std::dec << " in frame "
                  << framesRun << "; later frames with errors are only counted" << std::endl;
    }
}

// The console window stands to the right of the 1024-pixel game window.
constexpr int kConsoleX = 1056;
constexpr int kConsoleY = 0;
constexpr int kConsoleWidth = 512;
constexpr int kConsoleHeight = 768;

// The input state, then the render context's camera and lit shader (from here on reached through
// it only), then the mouse callback, which fires once at registration and so needs both.
void connectInputAndCamera() {
    Input::instance()->setLook(startLook);
    RenderContext::instance()->setCamera(&mainCamera);
    RenderContext::instance()->setShader(&mainShader);
    Platform::setMousePosCallback(onMousePos);
}

}  // namespace

void setStartSettings(bool fullscreen, const LookSettings& look) {
    startFullscreen = fullscreen;
    startLook = look;
}

bool initWindow() {
    if (!Platform::init()) {
        std::cerr << "GLFWInit Failed!" << std::endl;
        return false;
    }
    Platform::openWindowHint(Platform::Hint::FsaaSamples, kSamples);
    Platform::openWindowHint(Platform::Hint::OpenGlVersionMajor, kGlVersionMajor);
    Platform::openWindowHint(Platform::Hint::OpenGlVersionMinor, kGlVersionMinor);
    Platform::openWindowHint(Platform::Hint::OpenGlProfile, Platform::kOpenGlCoreProfile);
    if (!Platform::openWindow(Core::kWindowWidth, Core::kWindowHeight, 0, 0, 0, 0, kDepthBits, 0,
                              Platform::WindowMode::Windowed)) {
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

int initApplication() {
    if (!initWindow()) return -1;
    if (startFullscreen) Platform::setFullscreen(true);
    Platform::placeConsoleWindow(kConsoleX, kConsoleY, kConsoleWidth, kConsoleHeight);
    createModelBuffers();
    loadTextures();
    connectInputAndCamera();
    litShader().init();
    litShader().use();
    FrameClock::reset();
    glLineWidth(kLineWidth);
    return 0;
}

void initWithoutDrawing() {
    connectInputAndCamera();
    RenderContext::instance()->setDrawing(false);
    FrameClock::reset();
}

namespace {

// The game being played: a local of runGame on the desktop, but a browser returns from main while
// the game goes on, so it lives here until the frame loop's finish.
std::unique_ptr<BrickWallScene> gameScene;

bool playFrame() {
    // A replay ends by itself after its last recorded frame.
    if (!beginSessionFrame()) return false;
    runFrame(*gameScene);
    return keepRunning();
}

void finishGame() {
    if (Session* session = currentSession()) session->finish();
    if (!brickDumpPath.empty()) writeBrickDump(brickDumpPath, *gameScene, framesRun);
    gameScene->releaseGL();
    releaseResources();
    stopSound();
    Platform::terminate();
    Platform::CrashReport::setBeforeReport(nullptr);
    gameScene.reset();
}

}  // namespace

void runGame(std::string title) {
    prepareFrameLoop(title);
    Platform::CrashReport::setBeforeReport(flushRecordingOnCrash);
    gameScene = std::make_unique<BrickWallScene>();
    Platform::runFrameLoop(playFrame, finishGame);
}

void prepareFrameLoop(const std::string& title) {
    framesRun = 0;
    framesWithGlErrors = 0;
    Platform::setWindowTitle(title.c_str());
    Platform::enableStickyKeys();
    if (!RenderContext::instance()->isDrawing()) return;
    glClearColor(kClearGrey, kClearGrey, kClearGrey, 0.0f);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glEnable(GL_CULL_FACE);
}

namespace {

// The window's current shape, the cleared frame, and the lit shader's per-frame uniforms; the
// camera position uploaded is the one before this frame's movement.
void beginDrawing(BrickWallScene& scene, const GLUtils::FrameLayout& layout) {
    glViewport(layout.scene.x, layout.scene.y, layout.scene.width, layout.scene.height);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    camera().setAspectRatio(layout.aspectRatio);
    scene.text.setArea(layout.overlay);
    Shaders::AmbDifSpecShader& shader = litShader();
    shader.use();
    shader.setLights();
    shader.setCameraPosition();
}

GLUtils::FrameLayout currentLayout() {
    int framebufferWidth = 0;
    int framebufferHeight = 0;
    int windowWidth = 0;
    int windowHeight = 0;
    Platform::getFramebufferSize(framebufferWidth, framebufferHeight);
    Platform::getWindowSize(windowWidth, windowHeight);
    return GLUtils::layoutFrame(framebufferWidth, framebufferHeight, windowWidth);
}

}  // namespace

void runFrame(BrickWallScene& scene) {
    Platform::CrashReport::noteFrame(++framesRun);
    // Asked once a frame: nothing is drawn in a run without OpenGL or behind a minimised window;
    // the rest of the frame is the same either way.
    const GLUtils::FrameLayout layout = currentLayout();
    const bool drawing = RenderContext::instance()->isDrawing() && layout.drawable;
    if (drawing) beginDrawing(scene, layout);
    updateFrame();
    if (Session* session = currentSession()) {
        session->afterPoll(FrameClock::measuredDelta(), *Input::instance());
    }
    simulateFrame(scene);
    if (drawing) {
        scene.draw();
        if (GLUtils::isErrorReadDue(framesRun, Platform::driverReadsStall())) checkGlErrors();
    }
    Platform::swapBuffers();
}

void simulateFrame(BrickWallScene& scene) {
    scene.latchInput(*Input::instance());
    for (int steps = FrameClock::advanceSteps(); steps > 0; --steps) {
        scene.step(FrameClock::takeStep());
    }
}

int glErrorFrames() {
    return framesWithGlErrors;
}

bool keepRunning() {
    return Platform::getKey(Platform::kKeyEsc) != Platform::kPress && Platform::isWindowOpen() &&
           !Platform::isStopRequested();
}

void updateFrame() {
    FrameClock::tick();
    const float dt = FrameClock::deltaTime();
    Input* input = Input::instance();
    if (input->isMouseEnabled()) input->pollMouseButtons();
    if (input->isKeyboardEnabled()) input->pollKeys();
    Camera& eye = camera();
    eye.move(dt);
    eye.view.update();
    eye.updateViewProjection();
}

bool beginSessionFrame() {
    Session* session = currentSession();
    if (!session) return true;
    if (!session->beginFrame()) return false;
    for (const CursorReport& report : session->recordedCursorReports()) {
        deliverCursorReport(report.x, report.y);
    }
    return true;
}

void onMousePos(int x, int y) {
    Session* session = currentSession();
    if (session && !session->onCursorReport(x, y)) return;
    deliverCursorReport(x, y);
}

void deliverCursorReport(int x, int y) {
    Input::instance()->onMouseMove(x, y);
    camera().onMouseMove(x, y);
}

void setBrickDumpPath(const std::string& path) {
    brickDumpPath = path;
}

void releaseResources() {
    if (!RenderContext::instance()->isDrawing()) return;
    deleteModelBuffers();
    deleteTextures();
    litShader().destroy();
}
