#include "platform/OffscreenContext.h"

// OpenGL's own header came with the extension loader's.
#include <GL/glew.h>
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include "platform/GlfwContext.h"

// Windows has no surfaceless EGL: a hidden window of the window library stands in, its back buffer
// the frames' framebuffer.
namespace Platform {

struct OffscreenContext::Parts {
    GLFWwindow* window = nullptr;
};

OffscreenContext::OffscreenContext() : parts(std::make_unique<Parts>()) {}
OffscreenContext::~OffscreenContext() = default;
OffscreenContext::OffscreenContext(OffscreenContext&&) noexcept = default;
OffscreenContext& OffscreenContext::operator=(OffscreenContext&&) noexcept = default;

bool OffscreenContext::isCurrent() const {
    return parts && parts->window;
}

bool OffscreenContext::create(int width, int height, int depthBits, int versionMajor,
                              int versionMinor, bool coreProfile) {
    if (glfwInit() != GLFW_TRUE) return false;
    ContextWindowRequest request;
    request.width = width;
    request.height = height;
    request.hints.versionMajor = versionMajor;
    request.hints.versionMinor = versionMinor;
    request.hints.coreProfile = coreProfile;
    request.depthBits = depthBits;
    request.visible = false;
    parts->window = openContextWindow(request);
    if (!parts->window) glfwTerminate();
    return parts->window != nullptr;
}

bool OffscreenContext::attachFramebuffer() {
    return true;
}

void OffscreenContext::destroy() {
    if (!isCurrent()) return;
    glfwDestroyWindow(parts->window);
    glfwTerminate();
    parts->window = nullptr;
}

}  // namespace Platform
