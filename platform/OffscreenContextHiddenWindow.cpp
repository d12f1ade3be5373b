#include "platform/OffscreenContext.h"

// OpenGL's own header came with the extension loader's.
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include "platform/GlfwContext.h"

// Windows has no surfaceless EGL: a hidden window of the window library stands in, its back buffer
// the frames' framebuffer.
namespace Platform {
namespace {

// As deep as the game's window asks for.
constexpr int kDepthBits = 32;

}  // namespace

bool OffscreenContext::create(int w, int h, int versionMajor, int versionMinor, bool coreProfile) {
    if (glfwInit() != GLFW_TRUE) return false;
    ContextWindowRequest request;
    request.width = w;
    request.height = h;
    request.hints.versionMajor = versionMajor;
    request.hints.versionMinor = versionMinor;
    request.hints.coreProfile = coreProfile;
    request.depthBits = kDepthBits;
    request.visible = false;
    context = openContextWindow(request);
    if (!context) glfwTerminate();
    width = w;
    height = h;
    return context != nullptr;
}

bool OffscreenContext::attachFramebuffer() {
    return true;
}

void OffscreenContext::destroy() {
    if (!context) return;
    glfwDestroyWindow(static_cast<GLFWwindow*>(context));
    glfwTerminate();
    context = nullptr;
}

}  // namespace Platform
