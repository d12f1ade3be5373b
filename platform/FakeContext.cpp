#include "platform/FakeContext.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cstdio>

#include "platform/GlfwContext.h"

namespace Platform {
namespace {

constexpr int kInitAttempts = 10;

void reportGlfwError(int code, const char* description) {
    std::fprintf(stderr, "window library error %d: %s\n", code, description);
}

}  // namespace

FakeContext::~FakeContext() {
    close();
}

bool FakeContext::startLibrary() {
    if (kind != Kind::HiddenWindow) return true;
    // The tests share one X server with others starting at the same moment; a refused connection
    // there is not what they test, so it is tried again before giving up.
    glfwSetErrorCallback(reportGlfwError);
    for (int attempt = 0; attempt < kInitAttempts; ++attempt) {
        if (glfwInit() == GLFW_TRUE) return true;
    }
    return false;
}

void FakeContext::endLibrary() {
    close();
    if (kind == Kind::HiddenWindow) glfwTerminate();
}

bool FakeContext::open(int width, int height, int depthBits, const WindowHints& hints) {
    if (kind == Kind::Offscreen) {
        return offscreen.create(width, height, depthBits, hints.versionMajor, hints.versionMinor,
                                hints.coreProfile);
    }
    if (kind != Kind::HiddenWindow) return true;
    ContextWindowRequest request;
    request.width = width;
    request.height = height;
    request.hints = hints;
    // Tests judge pixels without multisampling, which only costs the driver time.
    request.hints.samples = 0;
    request.depthBits = depthBits;
    request.visible = false;
    window = openContextWindow(request);
    return window != nullptr;
}

bool FakeContext::loadEntryPoints() {
    glewExperimental = GL_TRUE;
    const GLenum status = glewInit();
    if (!offscreen.isCurrent()) return status == GLEW_OK;
#ifdef GLEW_ERROR_NO_GLX_DISPLAY
    // The loader looks for an X display after loading the entry points, and there is none.
    return (status == GLEW_OK || status == GLEW_ERROR_NO_GLX_DISPLAY) &&
           offscreen.attachFramebuffer();
#else
    return status == GLEW_OK && offscreen.attachFramebuffer();
#endif
}

void FakeContext::swap() {
    if (window) glfwSwapBuffers(window);
}

void FakeContext::close() {
    if (window) glfwDestroyWindow(window);
    window = nullptr;
    offscreen.destroy();
}

}  // namespace Platform
