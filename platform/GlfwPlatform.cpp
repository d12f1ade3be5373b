#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <chrono>
#include <cmath>
#include <thread>

#ifdef __EMSCRIPTEN__
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <map>
#endif

#include "platform/CrashReport.h"
#include "platform/CursorTracker.h"
#include "platform/FramePacer.h"
#include "platform/GlfwMapping.h"
#include "platform/Platform.h"
#include "platform/StopSignals.h"
#include "platform/WindowHints.h"

namespace Platform {
namespace {

#ifdef __EMSCRIPTEN__
// In a page the browser's animation frames pace the game.
constexpr bool kPacedByDefault = false;
constexpr bool kReadsStall = true;

// The game runs before the pointer was ever locked (the bricks settle while the page waits for a
// click), plays while it is locked, and pauses once it is released again (Escape: the browser
// releases it itself) or the tab is hidden, until a click locks it again. The page is told each
// change as this number.
enum class PageState { WaitingForClick, Playing, Paused };
#else
constexpr bool kPacedByDefault = true;
constexpr bool kReadsStall = false;
#endif

struct State {
    GLFWwindow* window = nullptr;
    WindowHints hints;
    MousePosCallback mouseCallback = nullptr;
    CursorTracker cursor;
    // Where and how large the window was before it went fullscreen.
    int windowedX = 0;
    int windowedY = 0;
    int windowedWidth = 0;
    int windowedHeight = 0;
    FramePacer pacer{FramePacer::kDefaultRefreshHz};
    bool pacing = kPacedByDefault;
#ifdef __EMSCRIPTEN__
    // The browser's window library has no sticky keys. As the desktop library does, a key released
    // since the last poll reads as pressed at the next one.
    std::map<int, bool> releasedSincePoll;
    bool stickyKeys = false;
    bool pointerWasLocked = false;
    PageState pageState = PageState::WaitingForClick;
    double timeAtPause = 0.0;
    bool (*frame)() = nullptr;
    void (*finish)() = nullptr;
#endif
};

State state;

void onCursorPos(GLFWwindow*, double rawX, double rawY) {
    int x = 0;
    int y = 0;
    state.cursor.onRawPosition(std::lround(rawX), std::lround(rawY), x, y);
    if (state.mouseCallback) state.mouseCallback(x, y);
}

void requestCursorResync(GLFWwindow*, int) {
    state.cursor.requestResync();
}

using SteadySeconds = std::chrono::duration<double>;

double steadyNow() {
    return SteadySeconds(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Drivers may ignore the swap interval (llvmpipe under Xvfb does): the pacer then holds frames to
// the refresh rate, waiting until an absolute deadline.
void waitForFrameSlot() {
    const double start = state.pacer.nextFrameStart(steadyNow());
    const auto deadline = std::chrono::steady_clock::time_point(
        std::chrono::duration_cast<std::chrono::steady_clock::duration>(SteadySeconds(start)));
    std::this_thread::sleep_until(deadline);
}

bool isFullscreenKey(int key, int action, int mods) {
    return action == GLFW_PRESS &&
           (key == GLFW_KEY_F11 || (key == GLFW_KEY_ENTER && (mods & GLFW_MOD_ALT) != 0));
}

#ifdef __EMSCRIPTEN__
// A page goes fullscreen on the browser's terms: the request is made while the key event is
// being handled, which browsers count as the player's gesture.
void toggleFullscreenInPage() {
    EM_ASM({
        if (document.fullscreenElement) {
            document.exitFullscreen();
        } else {
            Module.canvas.requestFullscreen();
        }
    });
}

void onKey(GLFWwindow*, int key, int, int action, int mods) {
    if (action == GLFW_RELEASE && state.stickyKeys) state.releasedSincePoll[key] = true;
    if (isFullscreenKey(key, action, mods)) toggleFullscreenInPage();
}

bool isPointerLocked() {
    EmscriptenPointerlockChangeEvent status{};
    return emscripten_get_pointerlock_status(&status) == EMSCRIPTEN_RESULT_SUCCESS &&
           status.isActive;
}

bool isPageHidden() {
    EmscriptenVisibilityChangeEvent status{};
    return emscripten_get_visibility_status(&status) == EMSCRIPTEN_RESULT_SUCCESS && status.hidden;
}

// What the page shows the player (see PageState). The timer stands still while paused, so the
// simulation resumes where it stopped instead of catching up.
PageState followPage() {
    const bool locked = isPointerLocked();
    state.pointerWasLocked = state.pointerWasLocked || locked;
    PageState now = locked ? PageState::Playing : PageState::WaitingForClick;
    if (isPageHidden() || (state.pointerWasLocked && !locked)) now = PageState::Paused;
    if (now == state.pageState) return now;
    if (now == PageState::Paused) state.timeAtPause = glfwGetTime();
    if (state.pageState == PageState::Paused) glfwSetTime(state.timeAtPause);
    state.pageState = now;
    EM_ASM(
        {
            if (Module.onPlayStateChanged) Module.onPlayStateChanged($0);
        },
        static_cast<int>(now));
    return now;
}

void onAnimationFrame() {
    if (followPage() == PageState::Paused) return;
    if (state.frame()) return;
    emscripten_cancel_main_loop();
    state.finish();
    EM_ASM({
        if (Module.onGameEnded) Module.onGameEnded();
    });
}
#endif

#ifndef __EMSCRIPTEN__
// The monitor holding the window's centre; the primary one when none does.
GLFWmonitor* monitorOfWindow() {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    glfwGetWindowPos(state.window, &x, &y);
    glfwGetWindowSize(state.window, &width, &height);
    const int centreX = x + width / 2;
    const int centreY = y + height / 2;
    int count = 0;
    GLFWmonitor** monitors = glfwGetMonitors(&count);
    for (int i = 0; i < count; ++i) {
        int left = 0;
        int top = 0;
        glfwGetMonitorPos(monitors[i], &left, &top);
        const GLFWvidmode* mode = glfwGetVideoMode(monitors[i]);
        if (mode && centreX >= left && centreX < left + mode->width && centreY >= top &&
            centreY < top + mode->height) {
            return monitors[i];
        }
    }
    return glfwGetPrimaryMonitor();
}

void onKey(GLFWwindow*, int key, int, int action, int mods) {
    if (isFullscreenKey(key, action, mods)) setFullscreen(!isFullscreen());
}
#endif

double primaryRefreshRate() {
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = monitor ? glfwGetVideoMode(monitor) : nullptr;
    return mode ? mode->refreshRate : 0.0;
}

}  // namespace

bool init() {
    if (glfwInit() != GLFW_TRUE) return false;
    StopSignals::install();
    CrashReport::install();
    return true;
}

void terminate() {
    glfwTerminate();
    state.window = nullptr;
    StopSignals::restore();
    CrashReport::restore();
}

void openWindowHint(Hint hint, int value) {
    applyHint(state.hints, hint, value);
}

bool openWindow(int width, int height, int redBits, int greenBits, int blueBits, int alphaBits,
                int depthBits, int stencilBits, WindowMode mode) {
    glfwDefaultWindowHints();
    glfwWindowHint(GLFW_SAMPLES, state.hints.samples);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, state.hints.versionMajor);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, state.hints.versionMinor);
    if (state.hints.coreProfile) glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    // 0 colour bits meant "library default" in the 2.x interface.
    if (redBits > 0) glfwWindowHint(GLFW_RED_BITS, redBits);
    if (greenBits > 0) glfwWindowHint(GLFW_GREEN_BITS, greenBits);
    if (blueBits > 0) glfwWindowHint(GLFW_BLUE_BITS, blueBits);
    if (alphaBits > 0) glfwWindowHint(GLFW_ALPHA_BITS, alphaBits);
    glfwWindowHint(GLFW_DEPTH_BITS, depthBits);
    glfwWindowHint(GLFW_STENCIL_BITS, stencilBits);
    // The frame loop follows the framebuffer's size every frame.
    glfwWindowHint(GLFW_RESIZABLE, GLFW_TRUE);

    GLFWmonitor* monitor = mode == WindowMode::Fullscreen ? glfwGetPrimaryMonitor() : nullptr;
    state.window = glfwCreateWindow(width, height, "", monitor, nullptr);
    if (!state.window) return false;
    glfwMakeContextCurrent(state.window);
#ifdef __EMSCRIPTEN__
#else
    glfwSwapInterval(1);
#endif
    glfwSetKeyCallback(state.window, onKey);
    state.pacer = FramePacer(primaryRefreshRate());
    glfwSetCursorPosCallback(state.window, onCursorPos);
    glfwSetWindowFocusCallback(state.window, requestCursorResync);
    glfwSetCursorEnterCallback(state.window, requestCursorResync);
    double x = 0.0;
    double y = 0.0;
    glfwGetCursorPos(state.window, &x, &y);
    state.cursor.set(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
    state.cursor.requestResync();
    return true;
}

bool loadGlEntryPoints() {
    glewExperimental = GL_TRUE;
    return glewInit() == GLEW_OK;
}

void setWindowTitle(const char* title) {
    if (state.window) glfwSetWindowTitle(state.window, title);
}

void swapBuffers() {
    if (!state.window) return;
    CrashReport::crashIfAskedFor();
    glfwSwapBuffers(state.window);
    if (state.pacing) waitForFrameSlot();
    glfwPollEvents();
}

void setFramePacing(bool on) {
    state.pacing = on;
}

bool driverReadsStall() {
    return kReadsStall;
}

void setFullscreen(bool on) {
#ifdef __EMSCRIPTEN__
    // Only the player's own gesture may take a page fullscreen: the page's keys and button do.
    static_cast<void>(on);
#else
    if (!state.window || on == isFullscreen()) return;
    if (on) {
        glfwGetWindowPos(state.window, &state.windowedX, &state.windowedY);
        glfwGetWindowSize(state.window, &state.windowedWidth, &state.windowedHeight);
        GLFWmonitor* monitor = monitorOfWindow();
        const GLFWvidmode* mode = glfwGetVideoMode(monitor);
        if (!mode) return;
        glfwSetWindowMonitor(state.window, monitor, 0, 0, mode->width, mode->height,
                             mode->refreshRate);
    } else {
        glfwSetWindowMonitor(state.window, nullptr, state.windowedX, state.windowedY,
                             state.windowedWidth, state.windowedHeight, GLFW_DONT_CARE);
    }
    state.cursor.requestResync();
#endif
}

bool isFullscreen() {
#ifdef __EMSCRIPTEN__
    return EM_ASM_INT({ return document.fullscreenElement ? 1 : 0; }) != 0;
#else
    return state.window && glfwGetWindowMonitor(state.window) != nullptr;
#endif
}

bool isWindowOpen() {
    return state.window && !glfwWindowShouldClose(state.window);
}

bool isStopRequested() {
    return StopSignals::isStopRequested();
}

void getFramebufferSize(int& width, int& height) {
    width = 0;
    height = 0;
    if (!state.window || glfwGetWindowAttrib(state.window, GLFW_ICONIFIED)) return;
    glfwGetFramebufferSize(state.window, &width, &height);
}

void getWindowSize(int& width, int& height) {
    width = 0;
    height = 0;
#ifdef __EMSCRIPTEN__
    // The canvas's size on the page, in CSS pixels: its drawing buffer, the framebuffer, follows it
    // in device pixels, so their ratio is the screen's density.
    width = EM_ASM_INT({ return Module.canvas.clientWidth; });
    height = EM_ASM_INT({ return Module.canvas.clientHeight; });
#else
    if (state.window) glfwGetWindowSize(state.window, &width, &height);
#endif
}

int getKey(int key) {
    if (!state.window) return kRelease;
    const int libraryKey = GlfwMapping::toGlfwKey(key);
    bool pressed = glfwGetKey(state.window, libraryKey) == GLFW_PRESS;
#ifdef __EMSCRIPTEN__
    // Escape belongs to the browser there: it releases the pointer, which pauses the game.
    if (key == kKeyEsc) return kRelease;
    pressed = pressed || state.releasedSincePoll[libraryKey];
    state.releasedSincePoll[libraryKey] = false;
#endif
    return pressed ? kPress : kRelease;
}

int getMouseButton(int button) {
    if (!state.window) return kRelease;
#ifdef __EMSCRIPTEN__
    // The click that locks the pointer is not a shot.
    if (!isPointerLocked()) return kRelease;
#endif
    return glfwGetMouseButton(state.window, button) == GLFW_PRESS ? kPress : kRelease;
}

void enableStickyKeys() {
#ifdef __EMSCRIPTEN__
    state.stickyKeys = true;
#else
    if (state.window) glfwSetInputMode(state.window, GLFW_STICKY_KEYS, GLFW_TRUE);
#endif
}

void showCursor(bool show) {
    if (!state.window) return;
#ifdef __EMSCRIPTEN__
    // A browser locks the pointer only for the player's click, on which the page asks for it; the
    // library's request at once, with no click, would be refused with an error.
    static_cast<void>(show);
#else
    glfwSetInputMode(state.window, GLFW_CURSOR, GlfwMapping::cursorMode(show));
#endif
    state.cursor.requestResync();
}

void getMousePos(int& x, int& y) {
    x = state.cursor.getX();
    y = state.cursor.getY();
}

void setMousePos(int x, int y) {
    state.cursor.set(x, y);
    // A captured cursor has no on-screen position to move; a visible one is really moved.
    if (state.window && glfwGetInputMode(state.window, GLFW_CURSOR) == GLFW_CURSOR_NORMAL) {
        glfwSetCursorPos(state.window, x, y);
        state.cursor.requestResync();
    }
}

void setMousePosCallback(MousePosCallback callback) {
    state.mouseCallback = callback;
    if (callback) callback(state.cursor.getX(), state.cursor.getY());
}

void runFrameLoop(bool (*frame)(), void (*finish)()) {
#ifdef __EMSCRIPTEN__
    state.frame = frame;
    state.finish = finish;
    emscripten_set_main_loop(onAnimationFrame, 0, false);
#else
    while (frame()) {
    }
    finish();
#endif
}

double getTime() {
    return glfwGetTime();
}

void setTime(double seconds) {
    glfwSetTime(seconds);
}

}  // namespace Platform
