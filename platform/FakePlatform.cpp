#include "platform/FakePlatform.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cstdio>
#include <map>
#include <utility>

#include "platform/Audio.h"
#include "platform/GlfwContext.h"
#include "platform/OffscreenContext.h"
#include "platform/Signals.h"
#include "platform/StopSignals.h"

namespace Platform {
namespace {

constexpr int kInitAttempts = 10;

struct KeyState {
    bool down = false;
    bool stuck = false;
};

struct FakeState {
    Fake::Record record;
    bool realContext = false;
    bool offscreen = false;
    OffscreenContext offscreenContext;
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
    GLFWwindow* window = nullptr;
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

void reportGlfwError(int code, const char* description) {
    std::fprintf(stderr, "window library error %d: %s\n", code, description);
}

void releaseRealWindow() {
    if (fake().window) {
        glfwDestroyWindow(fake().window);
        fake().window = nullptr;
    }
    fake().offscreenContext.destroy();
}

}  // namespace

namespace Fake {

void reset() {
    releaseRealWindow();
    const bool real = fake().realContext;
    const bool offscreen = fake().offscreen;
    fake() = FakeState{};
    fake().realContext = real;
    fake().offscreen = offscreen;
}

void useRealContext(bool real) {
    fake().realContext = real;
}
void useOffscreenContext(bool offscreen) {
    fake().offscreen = offscreen;
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
void setTime(double seconds) {
    fake().time = seconds;
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

namespace {

bool initWindowLibrary() {
    if (!fake().realContext) return true;
    // The tests share one X server with others starting at the same moment; a refused connection
    // there is not what they test, so it is tried again before giving up.
    glfwSetErrorCallback(reportGlfwError);
    for (int attempt = 0; attempt < kInitAttempts; ++attempt) {
        if (glfwInit() == GLFW_TRUE) return true;
    }
    return false;
}

}  // namespace

bool init() {
    ++fake().record.initCalls;
    if (fake().failInit || !initWindowLibrary()) return false;
    StopSignals::clear();
    Signals::install();
    return true;
}

void terminate() {
    ++fake().record.terminateCalls;
    Signals::restore();
    fake().windowOpen = false;
    fake().offscreenContext.destroy();
    if (fake().realContext) {
        releaseRealWindow();
        glfwTerminate();
    }
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
    if (fake().offscreen &&
        !fake().offscreenContext.create(width, height, depthBits, r.hints.versionMajor,
                                        r.hints.versionMinor, r.hints.coreProfile)) {
        return false;
    }
    if (fake().realContext) {
        ContextWindowRequest request;
        request.width = width;
        request.height = height;
        request.hints = r.hints;
        // Tests judge pixels without multisampling, which only costs the driver time.
        request.hints.samples = 0;
        request.depthBits = depthBits;
        request.visible = false;
        fake().window = openContextWindow(request);
        if (!fake().window) return false;
    }
    fake().windowOpen = true;
    return true;
}

bool loadGlEntryPoints() {
    glewExperimental = GL_TRUE;
    const GLenum status = glewInit();
    if (!fake().offscreenContext.isCurrent()) return status == GLEW_OK;
#ifdef GLEW_ERROR_NO_GLX_DISPLAY
    // The loader looks for an X display after loading the entry points, and there is none.
    return (status == GLEW_OK || status == GLEW_ERROR_NO_GLX_DISPLAY) &&
           fake().offscreenContext.attachFramebuffer();
#else
    return status == GLEW_OK && fake().offscreenContext.attachFramebuffer();
#endif
}

void setWindowTitle(const char* title) {
    fake().record.title = title;
}

void swapBuffers() {
    FakeState& f = fake();
    ++f.record.swaps;
    if (f.swapHook) f.swapHook(f.record.swaps);
    if (f.window) glfwSwapBuffers(f.window);
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
