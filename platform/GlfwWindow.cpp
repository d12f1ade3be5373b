// The window module on the window library, the part every target shares: start and end, the
// window and its context, the swap, the cursor and the timer.
#include "platform/GlfwWindow.h"

#include <GL/glew.h>

#include <cmath>

#include "platform/CrashReport.h"
#include "platform/GlfwContext.h"
#include "platform/GlfwMapping.h"
#include "platform/Signals.h"
#include "platform/StopSignals.h"

namespace Platform {
namespace Glfw {

State& state() {
    static State shared;
    return shared;
}

}  // namespace Glfw

namespace {

using Glfw::state;

void onCursorPos(GLFWwindow*, double rawX, double rawY) {
    int x = 0;
    int y = 0;
    state().cursor.onRawPosition(std::lround(rawX), std::lround(rawY), x, y);
    if (state().mouseCallback) state().mouseCallback(x, y);
}

void requestCursorResync(GLFWwindow*, int) {
    state().cursor.requestResync();
}

void forwardKey(GLFWwindow*, int key, int, int action, int mods) {
    Glfw::onKey(key, action, mods);
}

}  // namespace

bool init() {
    if (glfwInit() != GLFW_TRUE) return false;
    Signals::install();
    return true;
}

void terminate() {
    Glfw::beforeTerminate();
    glfwTerminate();
    state().window = nullptr;
    Signals::restore();
}

void openWindowHint(Hint hint, int value) {
    applyHint(state().hints, hint, value);
}

bool openWindow(int width, int height, int depthBits) {
    ContextWindowRequest request;
    request.width = width;
    request.height = height;
    request.hints = state().hints;
    request.depthBits = depthBits;
    // The frame loop follows the framebuffer's size every frame.
    request.resizable = true;
    GLFWwindow* window = openContextWindow(request);
    state().window = window;
    if (!window) return false;
    glfwSetKeyCallback(window, forwardKey);
    glfwSetCursorPosCallback(window, onCursorPos);
    glfwSetWindowFocusCallback(window, requestCursorResync);
    glfwSetCursorEnterCallback(window, requestCursorResync);
    double x = 0.0;
    double y = 0.0;
    glfwGetCursorPos(window, &x, &y);
    state().cursor.set(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
    state().cursor.requestResync();
    Glfw::onWindowOpened();
    return true;
}

bool loadGlEntryPoints() {
    glewExperimental = GL_TRUE;
    return glewInit() == GLEW_OK;
}

void setWindowTitle(const char* title) {
    if (state().window) glfwSetWindowTitle(state().window, title);
}

void swapBuffers() {
    if (!state().window) return;
    CrashReport::crashIfAskedFor();
    glfwSwapBuffers(state().window);
    Glfw::afterSwap();
    glfwPollEvents();
}

bool isWindowOpen() {
    return state().window && !glfwWindowShouldClose(state().window);
}

bool isStopRequested() {
    return StopSignals::isStopRequested();
}

void getFramebufferSize(int& width, int& height) {
    width = 0;
    height = 0;
    if (!state().window || glfwGetWindowAttrib(state().window, GLFW_ICONIFIED)) return;
    glfwGetFramebufferSize(state().window, &width, &height);
}

void getMousePos(int& x, int& y) {
    x = state().cursor.getX();
    y = state().cursor.getY();
}

void setMousePos(int x, int y) {
    state().cursor.set(x, y);
    // A captured cursor has no on-screen position to move; a visible one is really moved.
    if (state().window && glfwGetInputMode(state().window, GLFW_CURSOR) == GLFW_CURSOR_NORMAL) {
        glfwSetCursorPos(state().window, x, y);
        state().cursor.requestResync();
    }
}

void takePressCounts(PressCounts& counts) {
    counts = state().presses;
    state().presses = PressCounts();
}

void setMousePosCallback(MousePosCallback callback) {
    state().mouseCallback = callback;
    if (callback) callback(state().cursor.getX(), state().cursor.getY());
}

}  // namespace Platform
