// The window module's desktop part (Linux, Windows): the driver's swap interval with a frame cap
// where it is ignored, fullscreen on the window's monitor, the library's own sticky keys and
// captured cursor, and a frame loop of its own.
#include <algorithm>
#include <bitset>
#include <cctype>
#include <chrono>
#include <cmath>
#include <thread>

#include "platform/FramePacer.h"
#include "platform/GlfwMapping.h"
#include "platform/GlfwWindow.h"

namespace Platform {
namespace {

using Glfw::state;

struct Desktop {
    FramePacer pacer{FramePacer::kDefaultRefreshHz};
    GamepadListener padListener = nullptr;
    // The pad as read while frames wait, for the next getGamepad; connected when one was read.
    Gamepad pad;
    bool padConnected = false;
    std::bitset<GLFW_JOYSTICK_LAST + 1> announcedPads;
    bool pacing = true;
    // Where and how large the window was before it went fullscreen.
    int windowedX = 0;
    int windowedY = 0;
    int windowedWidth = 0;
    int windowedHeight = 0;
};

Desktop desktop;

using SteadySeconds = std::chrono::duration<double>;

double steadyNow() {
    return SteadySeconds(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double primaryRefreshRate() {
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = monitor ? glfwGetVideoMode(monitor) : nullptr;
    return mode ? mode->refreshRate : 0.0;
}

// The monitor holding the window's centre; the primary one when none does.
GLFWmonitor* monitorOfWindow() {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    glfwGetWindowPos(state().window, &x, &y);
    glfwGetWindowSize(state().window, &width, &height);
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

// The first pad in the standard layout as it stands now, followed into the span of the next read.
void readPad() {
    GLFWgamepadstate state{};
    for (int joystick = GLFW_JOYSTICK_1; joystick <= GLFW_JOYSTICK_LAST; ++joystick) {
        if (!glfwJoystickIsGamepad(joystick) || !glfwGetGamepadState(joystick, &state)) continue;
        Gamepad now;
        for (int i = 0; i < Gamepad::kButtons; ++i) now.buttons[i] = state.buttons[i] == GLFW_PRESS;
        for (int i = 0; i < Gamepad::kAxes; ++i) now.axes[i] = state.axes[i];
        // The library's triggers run from -1 to 1.
        for (const PadAxis trigger : {PadAxis::LeftTrigger, PadAxis::RightTrigger}) {
            float& value = now.axes[static_cast<int>(trigger)];
            value = (value + 1.0f) / 2.0f;
        }
        if (!desktop.padConnected) {
            desktop.pad = now;
            desktop.pad.startSpan();
        }
        desktop.pad.follow(now);
        desktop.padConnected = true;
        return;
    }
}

// Each pad the library maps to the standard layout is told once when it comes and once when it
// goes.
void onJoystick(int joystick, int event) {
    const bool announced = desktop.announcedPads.test(joystick);
    if (event == GLFW_CONNECTED && !announced && glfwJoystickIsGamepad(joystick)) {
        desktop.announcedPads.set(joystick);
        const char* name = glfwGetGamepadName(joystick);
        if (desktop.padListener) desktop.padListener(name ? name : "");
    } else if (event == GLFW_DISCONNECTED && announced) {
        desktop.announcedPads.reset(joystick);
        if (desktop.padListener) desktop.padListener(nullptr);
    }
}

void countMouseButton(GLFWwindow*, int button, int action, int) {
    if (action == GLFW_PRESS && button >= 0 && button < kMouseButtons) {
        ++state().presses.buttons[button];
    }
}

}  // namespace

namespace Glfw {

void onWindowOpened() {
    glfwSwapInterval(1);
    desktop.pacer = FramePacer(primaryRefreshRate());
    glfwSetJoystickCallback(onJoystick);
    glfwSetMouseButtonCallback(state().window, countMouseButton);
}

void beforeTerminate() {
    glfwSetJoystickCallback(nullptr);
}

// Drivers may ignore the swap interval (llvmpipe under Xvfb does): the pacer then holds frames to
// the refresh rate, waiting until an absolute deadline, and reads the pad meanwhile so that a
// button pressed and let go within the wait still counts.
void afterSwap() {
    if (!desktop.pacing) return;
    constexpr SteadySeconds kPadReadEvery{0.002};
    const double start = desktop.pacer.nextFrameStart(steadyNow());
    for (double now = steadyNow(); now < start; now = steadyNow()) {
        readPad();
        std::this_thread::sleep_for(std::min(kPadReadEvery, SteadySeconds(start - now)));
    }
}

void onKey(int key, int action, int mods) {
    const int ours = GlfwMapping::fromGlfwKey(key);
    if (action == GLFW_PRESS && ours >= 0) ++state().presses.keys[ours];
    if (action != GLFW_RELEASE && ours >= 0 && state().keyListener) {
        state().keyListener(ours, action == GLFW_REPEAT);
    }
    if (GlfwMapping::isFullscreenKey(key, action, mods)) setFullscreen(!isFullscreen());
}

}  // namespace Glfw

void setFramePacing(bool on) {
    desktop.pacing = on;
}

bool driverReadsStall() {
    return false;
}

void setFullscreen(bool on) {
    GLFWwindow* window = state().window;
    if (!window || on == isFullscreen()) return;
    if (on) {
        glfwGetWindowPos(window, &desktop.windowedX, &desktop.windowedY);
        glfwGetWindowSize(window, &desktop.windowedWidth, &desktop.windowedHeight);
        GLFWmonitor* monitor = monitorOfWindow();
        const GLFWvidmode* mode = glfwGetVideoMode(monitor);
        if (!mode) return;
        glfwSetWindowMonitor(window, monitor, 0, 0, mode->width, mode->height, mode->refreshRate);
    } else {
        glfwSetWindowMonitor(window, nullptr, desktop.windowedX, desktop.windowedY,
                             desktop.windowedWidth, desktop.windowedHeight, GLFW_DONT_CARE);
    }
    // The cursor's next report is measured against a window that moved: it resynchronises.
    state().cursor.requestResync();
}

bool isFullscreen() {
    return state().window && glfwGetWindowMonitor(state().window) != nullptr;
}

void getWindowSize(int& width, int& height) {
    width = 0;
    height = 0;
    if (state().window) glfwGetWindowSize(state().window, &width, &height);
}

int getKey(int key) {
    if (!state().window) return kRelease;
    return glfwGetKey(state().window, GlfwMapping::toGlfwKey(key)) == GLFW_PRESS ? kPress
                                                                                 : kRelease;
}

int getMouseButton(int button) {
    if (!state().window) return kRelease;
    return glfwGetMouseButton(state().window, button) == GLFW_PRESS ? kPress : kRelease;
}

// The layout of Platform.h is the library's own, control for control.
static_assert(static_cast<int>(PadButton::Count) == GLFW_GAMEPAD_BUTTON_LAST + 1 &&
              static_cast<int>(PadButton::LeftThumb) == GLFW_GAMEPAD_BUTTON_LEFT_THUMB &&
              static_cast<int>(PadAxis::Count) == GLFW_GAMEPAD_AXIS_LAST + 1 &&
              static_cast<int>(PadAxis::RightX) == GLFW_GAMEPAD_AXIS_RIGHT_X);

void setGamepadListener(GamepadListener listener) {
    desktop.padListener = listener;
    desktop.announcedPads.reset();
    if (!listener) return;
    for (int joystick = GLFW_JOYSTICK_1; joystick <= GLFW_JOYSTICK_LAST; ++joystick) {
        if (glfwJoystickPresent(joystick)) onJoystick(joystick, GLFW_CONNECTED);
    }
}

bool getGamepad(Gamepad& pad) {
    readPad();
    pad = desktop.padConnected ? desktop.pad : Gamepad();
    desktop.pad.startSpan();
    const bool connected = desktop.padConnected;
    desktop.padConnected = false;
    return connected;
}

void setKeyListener(KeyListener listener) {
    state().keyListener = listener;
}

std::string keyLabel(int key) {
    const char* name = glfwGetKeyName(GlfwMapping::toGlfwKey(key), 0);
    std::string label = name ? name : "";
    for (char& c : label) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return label;
}

bool isTouchScreen() {
    return false;
}

void enableStickyKeys() {
    if (!state().window) return;
    glfwSetInputMode(state().window, GLFW_STICKY_KEYS, GLFW_TRUE);
    glfwSetInputMode(state().window, GLFW_STICKY_MOUSE_BUTTONS, GLFW_TRUE);
}

void showCursor(bool show) {
    if (!state().window) return;
    glfwSetInputMode(state().window, GLFW_CURSOR, GlfwMapping::cursorMode(show));
    if (!show) {
        state().cursor.requestResync();
        return;
    }
    // Shown, the cursor stands where the library put it back, where the player sees it: the game
    // points there too, and the very next motion counts.
    double x = 0.0;
    double y = 0.0;
    glfwGetCursorPos(state().window, &x, &y);
    state().cursor.moveTo(std::lround(x), std::lround(y));
}

double getTime() {
    return std::floor(glfwGetTime() * kTimerTicksPerSecond) / kTimerTicksPerSecond;
}

int timerStepTicks() {
    return 1;
}

void setTime(double seconds) {
    glfwSetTime(seconds);
}

}  // namespace Platform
