#include "tests/platform/FakeGlfw.h"

#include <GLFW/glfw3.h>

// Handles the fake gives out: any distinct addresses do.
struct GLFWwindow {
    int unused = 0;
};
struct GLFWmonitor {
    int unused = 0;
};

namespace {

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;
constexpr int kRefreshHz = 60;

struct Fake {
    GLFWwindow window;
    GLFWmonitor monitor;
    bool open = false;
    GLFWmonitor* fullscreenOn = nullptr;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int cursorMode = GLFW_CURSOR_NORMAL;
    double time = 0.0;
    GLFWkeyfun keyCallback = nullptr;
    GLFWcursorposfun cursorCallback = nullptr;
    GLFWmousebuttonfun mouseButtonCallback = nullptr;
    double cursorX = 0.0;
    double cursorY = 0.0;
    GLFWjoystickfun joystickCallback = nullptr;
    struct Pad {
        bool present = false;
        const char* name = "";
        GLFWgamepadstate state{};
    };
    Pad pads[GLFW_JOYSTICK_LAST + 1];
    GLFWvidmode mode{kScreenWidth, kScreenHeight, 8, 8, 8, kRefreshHz};
};

Fake& fake() {
    static Fake state;
    return state;
}

}  // namespace

namespace FakeGlfw {

void reset() {
    fake().open = false;
    fake().fullscreenOn = nullptr;
    fake().cursorMode = GLFW_CURSOR_NORMAL;
    fake().keyCallback = nullptr;
    fake().cursorCallback = nullptr;
    fake().mouseButtonCallback = nullptr;
    fake().cursorX = fake().cursorY = 0.0;
    fake().joystickCallback = nullptr;
    for (Fake::Pad& pad : fake().pads) pad = Fake::Pad();
}

void connectPad(int joystick, const char* name) {
    fake().pads[joystick].present = true;
    fake().pads[joystick].name = name;
    if (fake().joystickCallback) fake().joystickCallback(joystick, GLFW_CONNECTED);
}

void disconnectPad(int joystick) {
    fake().pads[joystick] = Fake::Pad();
    if (fake().joystickCallback) fake().joystickCallback(joystick, GLFW_DISCONNECTED);
}

void setPadState(int joystick, const unsigned char* buttons, const float* axes) {
    GLFWgamepadstate& state = fake().pads[joystick].state;
    for (int i = 0; i <= GLFW_GAMEPAD_BUTTON_LAST; ++i) state.buttons[i] = buttons[i];
    for (int i = 0; i <= GLFW_GAMEPAD_AXIS_LAST; ++i) state.axes[i] = axes[i];
}

void sendKey(int key, int action, int mods) {
    if (fake().keyCallback) fake().keyCallback(&fake().window, key, 0, action, mods);
}

void sendCursor(double x, double y) {
    if (fake().cursorCallback) fake().cursorCallback(&fake().window, x, y);
}

void sendMouseButton(int button, int action) {
    if (fake().mouseButtonCallback) fake().mouseButtonCallback(&fake().window, button, action, 0);
}

void setCursorPos(double x, double y) {
    fake().cursorX = x;
    fake().cursorY = y;
}

GLFWwindow* window() {
    return fake().open ? &fake().window : nullptr;
}

GLFWmonitor* monitor() {
    return &fake().monitor;
}

GLFWmonitor* windowMonitor() {
    return fake().fullscreenOn;
}

}  // namespace FakeGlfw

int glfwInit() {
    return GLFW_TRUE;
}
void glfwTerminate() {
    FakeGlfw::reset();
}
void glfwDefaultWindowHints() {}
void glfwWindowHint(int, int) {}
GLFWwindow* glfwCreateWindow(int width, int height, const char*, GLFWmonitor* monitor,
                             GLFWwindow*) {
    fake().open = true;
    fake().width = width;
    fake().height = height;
    fake().fullscreenOn = monitor;
    return &fake().window;
}
void glfwDestroyWindow(GLFWwindow*) {
    fake().open = false;
}
void glfwMakeContextCurrent(GLFWwindow*) {}
void glfwSwapInterval(int) {}
GLFWkeyfun glfwSetKeyCallback(GLFWwindow*, GLFWkeyfun callback) {
    fake().keyCallback = callback;
    return nullptr;
}
GLFWcursorposfun glfwSetCursorPosCallback(GLFWwindow*, GLFWcursorposfun callback) {
    fake().cursorCallback = callback;
    return nullptr;
}
GLFWwindowfocusfun glfwSetWindowFocusCallback(GLFWwindow*, GLFWwindowfocusfun) {
    return nullptr;
}
GLFWcursorenterfun glfwSetCursorEnterCallback(GLFWwindow*, GLFWcursorenterfun) {
    return nullptr;
}
GLFWmousebuttonfun glfwSetMouseButtonCallback(GLFWwindow*, GLFWmousebuttonfun callback) {
    fake().mouseButtonCallback = callback;
    return nullptr;
}
void glfwGetCursorPos(GLFWwindow*, double* x, double* y) {
    *x = fake().cursorX;
    *y = fake().cursorY;
}
GLFWmonitor* glfwGetPrimaryMonitor() {
    return &fake().monitor;
}
GLFWmonitor** glfwGetMonitors(int* count) {
    static GLFWmonitor* monitors[] = {&fake().monitor};
    *count = 1;
    return monitors;
}
void glfwGetMonitorPos(GLFWmonitor*, int* x, int* y) {
    *x = 0;
    *y = 0;
}
const GLFWvidmode* glfwGetVideoMode(GLFWmonitor*) {
    return &fake().mode;
}
void glfwSetWindowTitle(GLFWwindow*, const char*) {}
void glfwSwapBuffers(GLFWwindow*) {}
void glfwPollEvents() {}
void glfwGetWindowPos(GLFWwindow*, int* x, int* y) {
    *x = fake().x;
    *y = fake().y;
}
void glfwGetWindowSize(GLFWwindow*, int* width, int* height) {
    *width = fake().width;
    *height = fake().height;
}
void glfwSetWindowMonitor(GLFWwindow*, GLFWmonitor* monitor, int x, int y, int width, int height,
                          int) {
    fake().fullscreenOn = monitor;
    fake().x = x;
    fake().y = y;
    fake().width = width;
    fake().height = height;
}
GLFWmonitor* glfwGetWindowMonitor(GLFWwindow*) {
    return fake().fullscreenOn;
}
int glfwWindowShouldClose(GLFWwindow*) {
    return GLFW_FALSE;
}
int glfwGetWindowAttrib(GLFWwindow*, int) {
    return 0;
}
void glfwGetFramebufferSize(GLFWwindow*, int* width, int* height) {
    *width = fake().width;
    *height = fake().height;
}
int glfwGetKey(GLFWwindow*, int) {
    return GLFW_RELEASE;
}
int glfwGetMouseButton(GLFWwindow*, int) {
    return GLFW_RELEASE;
}
void glfwSetInputMode(GLFWwindow*, int mode, int value) {
    if (mode == GLFW_CURSOR) fake().cursorMode = value;
}
int glfwGetInputMode(GLFWwindow*, int mode) {
    return mode == GLFW_CURSOR ? fake().cursorMode : 0;
}
void glfwSetCursorPos(GLFWwindow*, double, double) {}
double glfwGetTime() {
    return fake().time;
}
void glfwSetTime(double seconds) {
    fake().time = seconds;
}
GLFWjoystickfun glfwSetJoystickCallback(GLFWjoystickfun callback) {
    fake().joystickCallback = callback;
    return nullptr;
}
int glfwJoystickPresent(int joystick) {
    return fake().pads[joystick].present ? GLFW_TRUE : GLFW_FALSE;
}
int glfwJoystickIsGamepad(int joystick) {
    return glfwJoystickPresent(joystick);
}
const char* glfwGetGamepadName(int joystick) {
    return fake().pads[joystick].present ? fake().pads[joystick].name : nullptr;
}
int glfwGetGamepadState(int joystick, GLFWgamepadstate* state) {
    if (!fake().pads[joystick].present) return GLFW_FALSE;
    *state = fake().pads[joystick].state;
    return GLFW_TRUE;
}

// A US layout: printable keys are what they print, in lower case as the library gives them.
const char* glfwGetKeyName(int key, int) {
    static char name[2] = {};
    if (key < GLFW_KEY_SPACE || key > GLFW_KEY_GRAVE_ACCENT) return nullptr;
    name[0] = static_cast<char>(key >= GLFW_KEY_A && key <= GLFW_KEY_Z ? key - 'A' + 'a' : key);
    return name;
}
