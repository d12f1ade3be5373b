#include "platform/GlfwContext.h"

#include <GLFW/glfw3.h>

namespace Platform {

GLFWwindow* openContextWindow(const ContextWindowRequest& request) {
    glfwDefaultWindowHints();
    glfwWindowHint(GLFW_VISIBLE, request.visible ? GLFW_TRUE : GLFW_FALSE);
    glfwWindowHint(GLFW_SAMPLES, request.hints.samples);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, request.hints.versionMajor);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, request.hints.versionMinor);
    if (request.hints.coreProfile) glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_DEPTH_BITS, request.depthBits);
    glfwWindowHint(GLFW_STENCIL_BITS, 0);
    glfwWindowHint(GLFW_RESIZABLE, request.resizable ? GLFW_TRUE : GLFW_FALSE);
    GLFWwindow* window = glfwCreateWindow(request.width, request.height, "", nullptr, nullptr);
    if (window) glfwMakeContextCurrent(window);
    return window;
}

}  // namespace Platform
