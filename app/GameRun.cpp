#include "app/GameRun.h"

#include <GL/glew.h>

#include <algorithm>
#include <chrono>
#include <iostream>

#include "app/BrickDump.h"
#include "app/Session.h"
#include "core/Assert.h"
#include "core/FrameClock.h"
#include "core/LineReader.h"
#include "core/WindowSize.h"
#include "input/Camera.h"
#include "input/Controls.h"
#include "input/Input.h"
#include "physics/PhysicsWorld.h"
#include "platform/CrashReport.h"
#include "platform/Platform.h"
#include "platform/System.h"
#include "render/GlErrors.h"
#include "render/Model.h"
#include "render/RenderContext.h"
#include "render/Shader.h"
#include "render/Texture.h"
#include "render/Viewport.h"
#include "rewind/Controller.h"
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

// The testbed's overlays, in the overlay's space (see Text2D), which keeps its size in the
// window's top-left corner: the statistics under the help text, the replay's timeline at the
// bottom.
constexpr int kStatsX = 10;
constexpr int kStatsY = 440;
constexpr int kTimelineX = 10;
constexpr int kTimelineY = 30;
constexpr int kOverlaySize = 12;
// The statistics' times are averaged over about this many frames, so that they can be read.
constexpr double kStatsSmoothing = 1.0 / 30.0;

using StepClock = std::chrono::steady_clock;

// The console window stands to the right of the 1024-pixel game window.
constexpr int kConsoleX = 1056;
constexpr int kConsoleY = 0;
constexpr int kConsoleWidth = 512;
constexpr int kConsoleHeight = 768;

// The run the window library's mouse callback and the crash report reach: a plain function
// pointer is all either takes. One run at a time.
GameRun* activeRun = nullptr;
Session* activeSession = nullptr;

void onMousePos(int x, int y) {
    if (activeRun) activeRun->onCursorReport(x, y);
}

void onOptionsKey(int key, bool repeat) {
    if (activeRun) activeRun->onOptionsKey(key, repeat);
}

// A pad that comes or goes is said once, so the player knows it is heard.
void announcePad(const char* name) {
    if (!name) {
        std::cerr << "kelvarin: pad disconnected" << std::endl;
        return;
    }
    std::cerr << "kelvarin: pad connected: " << (*name ? shownSafely(name) : "a pad") << std::endl;
}

// A crash keeps the recording up to the frame it happened in, so the session can be replayed.
void flushRecordingOnCrash() {
    if (activeSession) activeSession->flush();
}

Camera& camera() {
    return *RenderContext::instance()->getCamera();
}

Shaders::AmbDifSpecShader& litShader() {
    return *RenderContext::instance()->getShader();
}

void deliverCursorReport(int x, int y) {
    Input::instance()->onMouseMove(x, y);
    camera().onMouseMove(x, y);
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

// The camera flown over the frame's time, its view and projection made for the frame.
void moveCamera(double delta) {
    Camera& eye = camera();
    eye.move(static_cast<float>(delta));
    eye.view.update();
    eye.updateViewProjection();
}

// What the player's layout prints on a key, where the system can tell.
std::string keyLabel(int key) {
    return Platform::keyLabel(key);
}

}  // namespace

GameRun::GameRun() = default;

GameRun::~GameRun() {
    if (started) finish();
}

bool GameRun::openWindow() {
    if (!Platform::init()) {
        std::cerr << "GLFWInit Failed!" << std::endl;
        return false;
    }
    if (!config.drawing) {
        return Platform::openWindow(Core::kWindowWidth, Core::kWindowHeight, 0, 0, 0, 0, 0, 0,
                                    Platform::WindowMode::Windowed);
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

// The input state, then the render context's camera and lit shader (from here on reached through
// it only), then the mouse callback, which fires once at registration and so needs both.
void GameRun::connectInputAndCamera() {
    Input::instance()->setLook(config.settings.look);
    RenderContext::instance()->setCamera(&mainCamera);
    RenderContext::instance()->setShader(&mainShader);
    Platform::setMousePosCallback(onMousePos);
    Platform::setGamepadListener(announcePad);
}

// The window title, sticky keys and OpenGL state the frames run with; set before the scene is
// built.
void GameRun::prepareFrameLoop() {
    Platform::setWindowTitle(kTitle);
    Platform::enableStickyKeys();
    if (!config.drawing) return;
    glClearColor(kClearGrey, kClearGrey, kClearGrey, 0.0f);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glEnable(GL_CULL_FACE);
}

bool GameRun::start(const RunConfig& runConfig) {
    KELVARIN_ASSERT(!started && !activeRun);
    config = runConfig;
    frames = 0;
    errorFrames = 0;
    stepper = FrameClock::FixedStepper();
    testbed = Testbed();
    timeline = ReplayTimeline();
    stats = TestbedStats();
    padLook = GamepadControls::Look();
    played = config.settings;
    keeper = SettingsKeeper(config.settingsPath, config.settingsInFile);
    RenderContext::instance()->setDrawing(config.drawing);
    if (!openWindow()) return false;
    started = true;
    activeRun = this;
    activeSession = config.session;
    if (played.fullscreen) Platform::setFullscreen(true);
    if (config.drawing) {
        Platform::placeConsoleWindow(kConsoleX, kConsoleY, kConsoleWidth, kConsoleHeight);
        createModelBuffers();
        loadTextures();
    }
    connectInputAndCamera();
    if (config.drawing) {
        litShader().init();
        litShader().use();
    }
    boxLines.init();
    FrameClock::reset();
    if (config.drawing) glLineWidth(kLineWidth);
    prepareFrameLoop();
    Platform::CrashReport::setBeforeReport(flushRecordingOnCrash);
    brickWall = std::make_unique<BrickWallScene>();
    applySettings(played);
    return true;
}

void GameRun::applySettings(const Settings::Values& values) {
    Input* input = Input::instance();
    input->setKeys(values.keys);
    input->setRewindToggles(values.rewindToggles);
    // A replay turns as its recording says, whatever the player's options.
    if (!(values.look == played.look) && !(config.session && config.session->isReplaying())) {
        input->setLook(values.look);
        if (config.session) config.session->lookChanged(values.look);
    }
    padLook.setSpeed(values.padLookSpeed);
    setMusicVolume(values.musicVolume);
    if (values.fullscreen != played.fullscreen) Platform::setFullscreen(values.fullscreen);
    played = values;
    showHelp();
}

void GameRun::changeSettings(const Settings::Values& values) {
    KELVARIN_ASSERT(started);
    const Settings::Values before = played;
    applySettings(values);
    keeper.keep(before, played);
}

bool GameRun::frame() {
    KELVARIN_ASSERT(started);
    if (options.isOpen()) return optionsFrame();
    return isReplayHeld() ? heldReplayFrame() : playFrame();
}

bool GameRun::isReplayHeld() const {
    return config.session && config.session->isReplaying() && timeline.isHeld();
}

bool GameRun::playFrame() {
    Session* session = config.session;
    // A replay held at its last frame, then let go, has no frame left to play.
    if (session && session->isOver()) return false;
    const ReplayedFrame* replayed = session ? &session->beginFrame() : nullptr;
    if (replayed) {
        for (const CursorReport& report : replayed->cursorReports) {
            deliverCursorReport(report.x, report.y);
        }
    }
    Platform::CrashReport::noteFrame(++frames);
    // Asked once a frame: nothing is drawn in a run without OpenGL or behind a minimised window;
    // the rest of the frame is the same either way.
    const GLUtils::FrameLayout layout = currentLayout();
    const bool drawing = config.drawing && layout.drawable;
    if (drawing) beginDrawing(*brickWall, layout);
    const FrameInput in = readInput(replayed);
    moveCamera(in.delta);
    if (session) session->afterPoll(in.delta, *Input::instance());
    simulate(in.delta);
    if (drawing) {
        brickWall->draw();
        drawTestbed(layout);
        if (GLUtils::isErrorReadDue(frames, Platform::driverReadsStall())) checkGlErrors();
    }
    Platform::swapBuffers();
    lookWithPad(in);
    followDevice(in);
    followFullscreen();
    followTimeline();
    if (config.offersOptions && Input::instance()->isPressed(Action::Options)) openOptions();
    return playerWantsToGoOn() && !(session && session->isOver());
}

// A frame in which the game waits (the options open, a replay held): nothing steps, the camera
// stays, nothing is recorded, but the clock and the devices are read all the same, so nothing
// pressed meanwhile reaches the game afterwards. The scene is drawn as it stands.
GameRun::WaitingFrame GameRun::beginWaitingFrame() {
    WaitingFrame frame;
    frame.layout = currentLayout();
    frame.drawing = config.drawing && frame.layout.drawable;
    if (frame.drawing) beginDrawing(*brickWall, frame.layout);
    FrameClock::tick();
    Platform::getGamepad(frame.pad);
    Input::instance()->poll(frame.pad);
    if (frame.drawing) brickWall->draw();
    return frame;
}

// A replay held at its frame: the viewer's keys move it.
bool GameRun::heldReplayFrame() {
    const WaitingFrame frame = beginWaitingFrame();
    if (frame.drawing) drawTestbed(frame.layout);
    Platform::swapBuffers();
    followTimeline();
    return playerWantsToGoOn();
}

// The viewer's keys over a replay: a seek plays the replay from its start to the frame asked
// for, without drawing, exactly as it was played.
void GameRun::followTimeline() {
    Session* session = config.session;
    if (!session || !session->isReplaying()) return;
    const int target = timeline.follow(*Input::instance(), frames, session->replayLength());
    if (target > 0) seekReplay(target);
}

void GameRun::seekReplay(int frame) {
    Session* session = config.session;
    KELVARIN_ASSERT(started && session && session->isReplaying());
    const int target = std::clamp(frame, 1, session->replayLength());
    session->restartReplay();
    Input::instance()->restartReplay();
    camera().view = CameraView();
    testbed = Testbed();
    frames = 0;
    restartScene();
    while (frames < target) replayFrameUnseen();
    timeline.hold(true);
}

// A replayed frame as playFrame plays it, less what only shows it or reads the devices.
void GameRun::replayFrameUnseen() {
    const ReplayedFrame& replayed = config.session->beginFrame();
    for (const CursorReport& report : replayed.cursorReports) {
        deliverCursorReport(report.x, report.y);
    }
    Platform::CrashReport::noteFrame(++frames);
    Input::instance()->pollRecordedOnly();
    moveCamera(replayed.delta);
    simulate(replayed.delta);
}

// A new game's wall, bullet and rewind history, with the camera where it is.
void GameRun::restartScene() {
    if (Rewind::Controller::instance()->isRewinding()) Input::instance()->onRewindEndedByItself();
    const std::string help = brickWall->helpText;
    brickWall->releaseGL();
    brickWall.reset();
    KELVARIN_ASSERT(PhysicsWorld::instance()->getObjects().empty());
    *Rewind::Controller::instance() = Rewind::Controller();
    stepper = FrameClock::FixedStepper();
    brickWall = std::make_unique<BrickWallScene>();
    brickWall->helpText = help;
}

// The collision boxes, the statistics and a replay's timeline, over the scene. The boxes are
// drawn in the scene's viewport, which the help text's overlay left for its own.
void GameRun::drawTestbed(const GLUtils::FrameLayout& layout) {
    if (testbed.showsBoxes()) {
        glViewport(layout.scene.x, layout.scene.y, layout.scene.width, layout.scene.height);
        brickWall->collectBoxes(boxes);
        boxLines.draw(boxes, camera().viewProjectionMatrix);
    }
    const std::string statistics = statsShown();
    if (!statistics.empty()) {
        brickWall->text.print(statistics.c_str(), kStatsX, kStatsY, kOverlaySize);
    }
    const std::string line = timelineShown();
    if (!line.empty()) brickWall->text.print(line.c_str(), kTimelineX, kTimelineY, kOverlaySize);
}

std::string GameRun::statsShown() {
    if (!testbed.showsStats()) return {};
    stats.asleep = brickWall->bricksAsleep();
    stats.awake = BrickWallScene::kBrickCount - stats.asleep;
    const Rewind::Controller& history = *Rewind::Controller::instance();
    stats.snapshots = static_cast<int>(history.getFrameStamps().size());
    const std::uint32_t oldest =
        history.getFrameStamps().empty() ? 0 : history.getFrameStamps().front();
    stats.rewindSecondsLeft =
        (history.getFrameCounter() - oldest) * FrameClock::FixedStepper::kStepSeconds;
    return statsText(stats, testbed);
}

std::string GameRun::timelineShown() const {
    const Session* session = config.session;
    if (!session || !session->isReplaying()) return {};
    return timeline.text(frames, session->replayLength(), played.keys);
}

// A frame with the options over the game, which waits.
bool GameRun::optionsFrame() {
    const WaitingFrame frame = beginWaitingFrame();
    onOptionsOutcome(options.pad(frame.pad));
    for (int button = 0; button < Platform::kMouseButtons; ++button) {
        if (options.isOpen() && Input::instance()->isClicked(button)) {
            onOptionsOutcome(options.click(button));
        }
    }
    if (frame.drawing && options.isOpen()) {
        brickWall->text.print(options.text(keyLabel).c_str(), OptionsMenu::kX, OptionsMenu::kTopY,
                              OptionsMenu::kSize);
    }
    Platform::swapBuffers();
    return playerWantsToGoOn();
}

void GameRun::openOptions() {
    options.open(played);
    Platform::setKeyListener(::onOptionsKey);
    // The mouse points at the options instead of turning the view, from where the player sees it.
    Input::instance()->showCursor(true);
    int x = 0;
    int y = 0;
    Platform::getMousePos(x, y);
    int overlayX = 0;
    int overlayY = 0;
    GLUtils::toOverlay(x, y, overlayX, overlayY);
    options.pointerAt(overlayX, overlayY);
}

void GameRun::onOptionsKey(int key, bool repeat) {
    if (options.isOpen()) onOptionsOutcome(options.press(key, repeat), key);
}

// Closed, the options give the game back its devices; what was pressed for them (the key that
// closed them too) acts in the game only once let go.
void GameRun::onOptionsOutcome(OptionsMenu::Outcome outcome, int closingKey) {
    if (outcome == OptionsMenu::Outcome::Changed) changeSettings(options.values());
    if (outcome != OptionsMenu::Outcome::Closed) return;
    Platform::setKeyListener(nullptr);
    Input::instance()->showCursor(false);
    Input::instance()->recentreCursor();
    Input::instance()->holdBackUntilReleased(closingKey);
}

// F11 and Alt+Enter switch fullscreen by themselves: the options show it and the file keeps it,
// as when the options switch it. Only the desktop game's window does so.
void GameRun::followFullscreen() {
    if (!config.offersOptions || Platform::isFullscreen() == played.fullscreen) return;
    Settings::Values values = played;
    values.fullscreen = Platform::isFullscreen();
    changeSettings(values);
}

// The help text for the player's keys and the device in use.
void GameRun::showHelp() {
    brickWall->helpText = Controls::helpText(played.keys, helpDevice, keyLabel);
}

// On a touch screen the help names the touch controls, with a pad the pad's, else the keys.
void GameRun::followDevice(const FrameInput& in) {
    const Controls::Device device = Platform::isTouchScreen() ? Controls::Device::Touch
                                    : in.padConnected         ? Controls::Device::Pad
                                                              : Controls::Device::Keyboard;
    if (device == helpDevice) return;
    helpDevice = device;
    showHelp();
}

// Asked once a frame, after it; the quit key is the options' own while they are open.
bool GameRun::playerWantsToGoOn() {
    const bool quit = !options.isOpen() && Input::instance()->isQuitAsked();
    return !quit && Platform::isWindowOpen() && !Platform::isStopRequested();
}

// The frame's time (measured, or as recorded) and the pad, each read once, and the actions
// sampled from them.
GameRun::FrameInput GameRun::readInput(const ReplayedFrame* replayed) {
    FrameInput in;
    in.delta = FrameClock::tick();
    if (replayed && replayed->timed) in.delta = replayed->delta;
    in.padConnected = Platform::getGamepad(in.pad);
    Input::instance()->poll(in.pad);
    return in;
}

// The testbed's asks, then the frame's input edges and the simulation steps the frame made due
// at the testbed's speed. Paused, the frame's edges are dropped: a paused frame changes nothing,
// as if it had not been played.
void GameRun::simulate(double delta) {
    Input& input = *Input::instance();
    const Testbed::Asked asked = testbed.follow(input);
    if (asked.restart) restartScene();
    const bool timed = testbed.showsStats();
    const StepClock::time_point start = timed ? StepClock::now() : StepClock::time_point();
    int stepsRun = 0;
    if (!testbed.isPaused()) {
        brickWall->latchInput(input);
        for (int steps = stepper.advance(delta * testbed.speed()); steps > 0; --steps) {
            brickWall->step(stepper.takeStep());
            ++stepsRun;
        }
    } else {
        for (; stepsRun < asked.steps; ++stepsRun) brickWall->step(stepper.takeStep());
    }
    if (brickWall->takeRewindRanOut()) input.onRewindEndedByItself();
    if (!timed) return;
    stats.frameSeconds += (delta - stats.frameSeconds) * kStatsSmoothing;
    if (stepsRun == 0) return;
    const double perStep =
        std::chrono::duration<double>(StepClock::now() - start).count() / stepsRun;
    stats.stepSeconds += (perStep - stats.stepSeconds) * kStatsSmoothing;
}

// The right stick's motion over the frame just shown reaches the game as the mouse's would during
// that frame's swap: a cursor report, recorded for the next frame and turning the view before it.
void GameRun::lookWithPad(const FrameInput& in) {
    if (!in.padConnected) return;
    int dx = 0;
    int dy = 0;
    padLook.motion(in.pad, in.delta, dx, dy);
    if (dx == 0 && dy == 0) return;
    int x = 0;
    int y = 0;
    Platform::getMousePos(x, y);
    onCursorReport(x + dx, y + dy);
}

// Broken media must never reach the driver as undefined state; if something still does, it is
// said once and counted, and the game goes on.
void GameRun::checkGlErrors() {
    const GLenum error = GLUtils::takeGlErrors();
    if (error == GL_NO_ERROR) return;
    if (errorFrames++ == 0) {
        std::cerr << "kelvarin: OpenGL error 0x" << std::hex << error << std::dec << " in frame "
                  << frames << "; later frames with errors are only counted" << std::endl;
    }
}

bool GameRun::finish() {
    KELVARIN_ASSERT(started);
    bool written = true;
    if (config.session) written = config.session->finish();
    if (!config.brickDumpPath.empty()) {
        written = writeBrickDump(config.brickDumpPath, *brickWall, frames) && written;
    }
    brickWall->releaseGL();
    boxLines.cleanup();
    if (config.drawing) {
        deleteModelBuffers();
        deleteTextures();
        litShader().destroy();
    }
    stopSound();
    Platform::setGamepadListener(nullptr);
    Platform::terminate();
    Platform::CrashReport::setBeforeReport(nullptr);
    brickWall.reset();
    activeRun = nullptr;
    activeSession = nullptr;
    started = false;
    return written;
}

void GameRun::onCursorReport(int x, int y) {
    if (options.isOpen()) {
        int overlayX = 0;
        int overlayY = 0;
        GLUtils::toOverlay(x, y, overlayX, overlayY);
        options.point(overlayX, overlayY);
        return;
    }
    if (config.session && !config.session->onCursorReport(x, y)) return;
    deliverCursorReport(x, y);
}
