#include "platform/FakePlatform.h"

#include <map>
#include <memory>
#include <utility>

#include "platform/Audio.h"
#include "platform/FakeContext.h"
#include "platform/Signals.h"
#include "platform/StopSignals.h"

namespace Platform {
namespace {

struct KeyState {
    bool down = false;
    bool stuck = false;
};

struct FakeState {
    Fake::Record record;
    std::unique_ptr<FakeContext> context = std::make_unique<FakeContext>();
    bool failInit = false;
    bool failOpenWindow = false;
    int overriddenWidth = 0;
    int overriddenHeight = 0;
    bool windowOpen = false;
    bool closeRequested = false;
    int windowWidth = 0;
    int windowHeight = 0;
    int framebufferWidth = 0;
    int framebufferHeight = 0;
    std::map<int, KeyState> keys;
    std::map<int, KeyState> buttons;
    bool padConnected = false;
    Gamepad pad;
    GamepadListener padListener = nullptr;
    KeyListener keyListener = nullptr;
    PressCounts presses;
    double time = 0.0;
    double stepPerSwap = 0.0;
    std::vector<std::pair<int, int>> cursorReports;
    MousePosCallback mouseCallback = nullptr;
    std::function<void(int)> swapHook;
};

FakeState& fake() {
    static FakeState state;
    return state;
}

// The context asked for from the next window on, the one there is now closed.
void useContext(FakeContext::Kind kind) {
    fake().context = std::make_unique<FakeContext>(kind);
}

}  // namespace

namespace Fake {

void reset() {
    const FakeContext::Kind kind = fake().context->what();
    fake() = FakeState{};
    useContext(kind);
}

void useRealContext(bool real) {
    useContext(real ? FakeContext::Kind::HiddenWindow : FakeContext::Kind::None);
}
void useOffscreenContext(bool offscreen) {
    useContext(offscreen ? FakeContext::Kind::Offscreen : FakeContext::Kind::None);
}
void failInit(bool fail) {
    fake().failInit = fail;
}
void failOpenWindow(bool fail) {
    fake().failOpenWindow = fail;
}
void overrideWindowSize(int width, int height) {
    fake().overriddenWidth = width;
    fake().overriddenHeight = height;
}

void setKey(int key, bool down) {
    KeyState& state = fake().keys[key];
    if (state.down && !down && fake().record.stickyKeys) state.stuck = true;
    if (down && !state.down) {
        if (key >= 0 && key <= kKeyLast) ++fake().presses.keys[key];
        if (fake().keyListener) fake().keyListener(key, false);
    }
    state.down = down;
}

void setMouseButton(int button, bool down) {
    KeyState& state = fake().buttons[button];
    if (state.down && !down && fake().record.stickyKeys) state.stuck = true;
    if (down && !state.down && button >= 0 && button < kMouseButtons) {
        ++fake().presses.buttons[button];
    }
    state.down = down;
}

void tapMouseButton(int button) {
    setMouseButton(button, true);
    setMouseButton(button, false);
}

void tapKey(int key) {
    setKey(key, true);
    setKey(key, false);
}

void setGamepad(const Gamepad& pad, const char* name) {
    const bool coming = !fake().padConnected;
    if (coming) {
        fake().pad = pad;
        fake().pad.startSpan();
    }
    fake().pad.follow(pad);
    fake().padConnected = true;
    if (coming && fake().padListener) fake().padListener(name);
}
void disconnectGamepad() {
    const bool going = fake().padConnected;
    fake().pad = Gamepad();
    fake().padConnected = false;
    if (going && fake().padListener) fake().padListener(nullptr);
}
void setTimeStepPerSwap(double seconds) {
    fake().stepPerSwap = seconds;
}
void queueCursorReport(int x, int y) {
    fake().cursorReports.emplace_back(x, y);
}
void requestClose() {
    fake().closeRequested = true;
}
void setWindowSize(int width, int height) {
    fake().windowWidth = width;
    fake().windowHeight = height;
}
void setFramebufferSize(int width, int height) {
    fake().framebufferWidth = width;
    fake().framebufferHeight = height;
}
void setSwapHook(std::function<void(int)> hook) {
    fake().swapHook = std::move(hook);
}
const Record& record() {
    return fake().record;
}

}  // namespace Fake

bool init() {
    ++fake().record.initCalls;
    if (fake().failInit || !fake().context->startLibrary()) return false;
    StopSignals::clear();
    Signals::install();
    return true;
}

void terminate() {
    ++fake().record.terminateCalls;
    Signals::restore();
    fake().windowOpen = false;
    fake().context->endLibrary();
}

void openWindowHint(Hint hint, int value) {
    applyHint(fake().record.hints, hint, value);
}

bool openWindow(int width, int height, int depthBits) {
    Fake::Record& r = fake().record;
    ++r.openWindowCalls;
    r.width = width;
    r.height = height;
    r.depthBits = depthBits;
    if (fake().failOpenWindow) return false;
    if (fake().overriddenWidth > 0 && fake().overriddenHeight > 0) {
        width = fake().overriddenWidth;
        height = fake().overriddenHeight;
    }
    Fake::setWindowSize(width, height);
    Fake::setFramebufferSize(width, height);
    if (!fake().context->open(width, height, depthBits, r.hints)) return false;
    fake().windowOpen = true;
    return true;
}

bool loadGlEntryPoints() {
    return fake().context->loadEntryPoints();
}

void setWindowTitle(const char* title) {
    fake().record.title = title;
}

void swapBuffers() {
    FakeState& f = fake();
    ++f.record.swaps;
    if (f.swapHook) f.swapHook(f.record.swaps);
    f.context->swap();
    f.time += f.stepPerSwap;
    std::vector<std::pair<int, int>> reports;
    reports.swap(f.cursorReports);
    for (const auto& [x, y] : reports) {
        f.record.cursorX = x;
        f.record.cursorY = y;
        if (f.mouseCallback) f.mouseCallback(x, y);
    }
    if (f.closeRequested) f.windowOpen = false;
}

void setFramePacing(bool) {}

bool driverReadsStall() {
    return false;
}

void setFullscreen(bool on) {
    fake().record.fullscreen = on;
}

bool isFullscreen() {
    return fake().record.fullscreen;
}

bool isWindowOpen() {
    return fake().windowOpen;
}

bool isStopRequested() {
    return StopSignals::isStopRequested();
}

void getFramebufferSize(int& width, int& height) {
    width = fake().framebufferWidth;
    height = fake().framebufferHeight;
}

void getWindowSize(int& width, int& height) {
    width = fake().windowWidth;
    height = fake().windowHeight;
}

int getKey(int key) {
    KeyState& state = fake().keys[key];
    const bool pressed = state.down || state.stuck;
    state.stuck = false;
    return pressed ? kPress : kRelease;
}

int getMouseButton(int button) {
    KeyState& state = fake().buttons[button];
    const bool pressed = state.down || state.stuck;
    state.stuck = false;
    return pressed ? kPress : kRelease;
}

bool getGamepad(Gamepad& pad) {
    pad = fake().pad;
    fake().pad.startSpan();
    return fake().padConnected;
}

void setGamepadListener(GamepadListener listener) {
    fake().padListener = listener;
}

void enableStickyKeys() {
    fake().record.stickyKeys = true;
}

void setKeyListener(KeyListener listener) {
    fake().keyListener = listener;
}

void takePressCounts(PressCounts& counts) {
    counts = fake().presses;
    fake().presses = PressCounts();
}

std::string keyLabel(int) {
    return {};
}

bool isTouchScreen() {
    return false;
}
void showCursor(bool show) {
    fake().record.cursorShown = show;
}

void getMousePos(int& x, int& y) {
    x = fake().record.cursorX;
    y = fake().record.cursorY;
}

void setMousePos(int x, int y) {
    fake().record.cursorX = x;
    fake().record.cursorY = y;
}

void setMousePosCallback(MousePosCallback callback) {
    fake().mouseCallback = callback;
    if (callback) callback(fake().record.cursorX, fake().record.cursorY);
}

int timerStepTicks() {
    return 1;
}

double getTime() {
    return fake().time;
}
void setTime(double seconds) {
    fake().time = seconds;
}

}  // namespace Platform

namespace Platform::Audio {

void playLooping(const char* path) {
    Platform::fake().record.playedTracks.emplace_back(path);
}

void setVolume(float volume) {
    Platform::fake().record.musicVolume = volume;
}

void close() {
    ++Platform::fake().record.audioCloseCalls;
}

}  // namespace Platform::Audio
