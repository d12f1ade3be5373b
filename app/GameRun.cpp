#include "app/GameRun.h"

#include <algorithm>
#include <utility>

#include "app/BrickDump.h"
#include "app/OptionsFlow.h"
#include "app/Overlays.h"
#include "app/ReplayControl.h"
#include "app/RunWindow.h"
#include "app/Session.h"
#include "app/Simulation.h"
#include "core/Assert.h"
#include "core/FrameClock.h"
#include "core/LineReader.h"
#include "core/Messages.h"
#include "input/Camera.h"
#include "input/GamepadControls.h"
#include "input/Input.h"
#include "platform/CrashReport.h"
#include "platform/Platform.h"
#include "render/Crosshair.h"
#include "render/RenderContext.h"
#include "render/Shader.h"
#include "render/Text2D.h"
#include "scene/BrickWallScene.h"

struct GameRun::Run {
    explicit Run(const RunConfig& given)
        : config(given),
          options(given.settings, given.offersOptions, given.settingsPath, given.settingsInFile,
                  given.session),
          replay(given.session) {}

    RunConfig config;
    RunWindow window;
    OptionsFlow options;
    Simulation simulation;
    ReplayControl replay;
    Overlays overlays;
    // Kept between frames, so that each frame's words reuse their memory.
    Overlays::Texts texts;
    GamepadControls::Look padLook;
    int frames = 0;
    // Finished, it still says how many frames it ran, until the next run starts.
    bool finished = false;
};

// What a frame reads once, at its start, and hands inward.
struct GameRun::FrameInput {
    double delta = 0.0;
    bool padConnected = false;
    Platform::Gamepad pad;
};

namespace {

// The run the window library's mouse callback and the crash report reach: a plain function
// pointer is all either takes. One run at a time.
GameRun* activeRun = nullptr;
Session* activeSession = nullptr;

void onMousePos(int x, int y) {
    if (activeRun) activeRun->onCursorReport(x, y);
}

// A pad that comes or goes is said once, so the player knows it is heard.
void announcePad(const char* name) {
    if (!name) {
        Messages::say("pad disconnected");
        return;
    }
    Messages::say(std::string("pad connected: ") + (*name ? shownSafely(name) : "a pad"));
}

// A crash keeps the recording up to the frame it happened in, so the session can be replayed.
void flushRecordingOnCrash() {
    if (activeSession) activeSession->flush();
}

Camera& camera() {
    return *RenderContext::instance()->getCamera();
}

void deliverCursorReport(int x, int y) {
    Input::instance()->onMouseMove(x, y);
    camera().onMouseMove(x, y);
}

// The camera flown over the frame's time, its view and projection made for the frame, as wide as
// the look played (a replay's, its recording's).
void moveCamera(double delta) {
    Camera& eye = camera();
    eye.setFieldOfView(static_cast<float>(Input::instance()->getFieldOfView()));
    eye.move(static_cast<float>(delta));
    eye.view.update();
    eye.updateViewProjection();
}

}  // namespace

GameRun::GameRun() = default;

GameRun::~GameRun() {
    if (isRunning()) finish();
}

bool GameRun::isRunning() const {
    return run && !run->finished;
}

bool GameRun::start(const RunConfig& config) {
    KELVARIN_ASSERT(!isRunning() && !activeRun);
    auto fresh = std::make_unique<Run>(config);
    if (!fresh->window.open(config.drawing, config.settings.fullscreen)) return false;
    run = std::move(fresh);
    activeRun = this;
    activeSession = config.session;
    // The input, then the render context's camera and lit shader (from here on reached through
    // it only), then the mouse callback, which fires once at registration and so needs both.
    Input::instance()->setLook(config.settings.look);
    RenderContext::instance()->setCamera(&mainCamera);
    RenderContext::instance()->setShader(&mainShader);
    Platform::setMousePosCallback(onMousePos);
    Platform::setGamepadListener(announcePad);
    run->window.prepareLitProgram();
    FrameClock::reset();
    run->window.prepareFrames();
    Platform::CrashReport::setBeforeReport(flushRecordingOnCrash);
    run->options.apply(config.settings);
    run->options.takeHelpChanged();
    const Session* session = config.session;
    // A replay plays in its recording's scene, whatever the settings say.
    const SceneLayout::Choice scene =
        session && session->isReplaying() ? session->replayScene() : config.settings.scene;
    run->simulation.start(run->options.helpText(), scene);
    if (scene != SceneLayout::Choice{})
        mainCamera.fitRoom(run->simulation.scene().layout.roomHalfSize);
    return true;
}

bool GameRun::frame() {
    KELVARIN_ASSERT(isRunning());
    return run->options.isOpen() || run->replay.isHeld() ? waitingFrame() : playFrame();
}

bool GameRun::playFrame() {
    Run& r = *run;
    Session* session = r.config.session;
    // A replay held at its last frame, then let go, has no frame left to play.
    if (session && session->isOver()) return false;
    const ReplayedFrame* replayed = session ? &session->beginFrame() : nullptr;
    if (replayed) {
        for (const CursorReport& report : replayed->cursorReports) {
            deliverCursorReport(report.x, report.y);
        }
    }
    Platform::CrashReport::noteFrame(++r.frames);
    const GLUtils::FrameLayout layout = r.window.layout();
    const bool drawing = r.window.draws(layout);
    if (drawing) r.window.beginDrawing(r.simulation.scene(), layout);
    const FrameInput in = readInput(replayed && replayed->timed, replayed ? replayed->delta : 0.0);
    moveCamera(in.delta);
    if (session) session->afterPoll(in.delta, *Input::instance());
    r.simulation.advance(in.delta, *Input::instance());
    if (drawing) {
        drawOver(layout);
        r.window.checkErrors(r.frames);
    }
    Platform::swapBuffers();
    lookWithPad(in);
    r.options.followDevice(in.padConnected);
    r.options.followFullscreen();
    followHelp();
    if (const int target = r.replay.follow(*Input::instance(), r.frames)) seekReplay(target);
    r.options.openIfAsked(Input::instance()->isPressed(Action::Options));
    return playerWantsToGoOn() && !(session && session->isOver());
}

// The options open or a replay held: nothing steps, the camera stays, nothing is recorded, but the
// clock and the devices are read all the same, so nothing pressed meanwhile reaches the game
// afterwards. The scene is drawn as it stands, with the options or the timeline over it.
bool GameRun::waitingFrame() {
    Run& r = *run;
    const GLUtils::FrameLayout layout = r.window.layout();
    const bool drawing = r.window.draws(layout);
    if (drawing) r.window.beginDrawing(r.simulation.scene(), layout);
    FrameClock::tick();
    Platform::Gamepad pad;
    Platform::getGamepad(pad);
    Input::instance()->poll(pad);
    const bool optionsOpen = r.options.isOpen();
    if (optionsOpen) r.options.followDevices(pad);
    if (drawing) drawOver(layout);
    Platform::swapBuffers();
    followHelp();
    if (!optionsOpen) {
        if (const int target = r.replay.follow(*Input::instance(), r.frames)) seekReplay(target);
    }
    return playerWantsToGoOn();
}

// The scene with the testbed's boxes, and the words over it laid out together; with the options
// open, only they and what marks the game's state.
void GameRun::drawOver(const GLUtils::FrameLayout& layout) {
    Run& r = *run;
    const Settings::Values& played = r.options.played();
    const bool optionsOpen = r.options.isOpen();
    Overlays::Texts& texts = r.texts;
    texts.help = r.simulation.scene().helpText;
    texts.stats = optionsOpen ? "" : r.simulation.statsShown();
    texts.timeline = optionsOpen ? "" : r.replay.shown(r.frames, played.keys);
    texts.marks = r.simulation.marksShown(played.rewindMark);
    texts.options = r.options.menu();
    r.overlays.arrange(layout, played.textSize, texts);
    const GLUtils::OverlayPlacement& placed = r.overlays.placement();
    r.simulation.scene().helpPlace = placed.help;
    r.options.place(placed.options, placed.unitsPerPoint);
    r.simulation.draw(layout, !optionsOpen);
    Text2D& text = r.simulation.scene().text;
    if (played.crosshair && !optionsOpen) Crosshair::draw(text, layout);
    r.overlays.draw(text, texts);
    r.options.draw(text);
}

void GameRun::seekReplay(int frame) {
    Run& r = *run;
    KELVARIN_ASSERT(r.replay.isReplaying());
    const int target = std::clamp(frame, 1, r.replay.length());
    r.config.session->restartReplay();
    Input::instance()->restartReplay();
    camera().view = CameraView();
    r.simulation.fromReplayStart();
    r.frames = 0;
    while (r.frames < target) replayFrameUnseen();
    r.replay.hold(true);
}

// A replayed frame as playFrame plays it, less what only shows it or reads the devices.
void GameRun::replayFrameUnseen() {
    const ReplayedFrame& replayed = run->config.session->beginFrame();
    for (const CursorReport& report : replayed.cursorReports) {
        deliverCursorReport(report.x, report.y);
    }
    Platform::CrashReport::noteFrame(++run->frames);
    Input::instance()->pollRecordedOnly();
    moveCamera(replayed.delta);
    run->simulation.advance(replayed.delta, *Input::instance());
}

// The frame's time (measured, or as recorded) and the pad, each read once, and the actions
// sampled from them.
GameRun::FrameInput GameRun::readInput(bool replayed, double replayedDelta) {
    FrameInput in;
    in.delta = FrameClock::tick();
    if (replayed) in.delta = replayedDelta;
    in.padConnected = Platform::getGamepad(in.pad);
    Input::instance()->poll(in.pad);
    return in;
}

// The right stick's motion over the frame just shown reaches the game as the mouse's would during
// that frame's swap: a cursor report, recorded for the next frame and turning the view before it.
void GameRun::lookWithPad(const FrameInput& in) {
    if (!in.padConnected) return;
    run->padLook.setSpeed(run->options.played().padLookSpeed);
    int dx = 0;
    int dy = 0;
    run->padLook.motion(in.pad, in.delta, dx, dy);
    if (dx == 0 && dy == 0) return;
    int x = 0;
    int y = 0;
    Platform::getMousePos(x, y);
    onCursorReport(x + dx, y + dy);
}

void GameRun::followHelp() {
    if (run->options.takeHelpChanged()) run->simulation.showHelp(run->options.helpText());
}

// Asked once a frame, after it; the quit key is the options' own while they are open.
bool GameRun::playerWantsToGoOn() {
    const bool quit = !run->options.isOpen() && Input::instance()->isQuitAsked();
    return !quit && Platform::isWindowOpen() && !Platform::isStopRequested();
}

bool GameRun::finish() {
    KELVARIN_ASSERT(isRunning());
    Run& r = *run;
    bool written = true;
    if (r.config.session) written = r.config.session->finish();
    if (!r.config.brickDumpPath.empty()) {
        written = writeBrickDump(r.config.brickDumpPath, r.simulation.scene(), r.frames) && written;
    }
    r.simulation.releaseGL();
    r.window.release();
    Platform::CrashReport::setBeforeReport(nullptr);
    r.simulation.end();
    r.finished = true;
    activeRun = nullptr;
    activeSession = nullptr;
    return written;
}

void GameRun::onCursorReport(int x, int y) {
    if (run->options.isOpen()) {
        run->options.point(x, y);
        return;
    }
    if (run->config.session && !run->config.session->onCursorReport(x, y)) return;
    deliverCursorReport(x, y);
}

BrickWallScene& GameRun::scene() {
    return run->simulation.scene();
}

int GameRun::framesRun() const {
    return run->frames;
}

int GameRun::glErrorFrames() const {
    return run->window.errorFrames();
}

const Settings::Values& GameRun::settingsPlayed() const {
    return run->options.played();
}

void GameRun::changeSettings(const Settings::Values& values) {
    KELVARIN_ASSERT(isRunning());
    run->options.change(values);
    followHelp();
}

bool GameRun::isSimulationPaused() const {
    return run->simulation.isPaused();
}

bool GameRun::areOptionsOpen() const {
    return run->options.isOpen();
}

ReplayControl& GameRun::replay() {
    return run->replay;
}

std::string GameRun::statsShown() {
    return run->simulation.statsShown();
}

std::string GameRun::timelineShown() const {
    return run->replay.shown(run->frames, run->options.played().keys);
}
