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
    if (request.redBits > 0) glfwWindowHint(GLFW_RED_BITS, request.redBits);
    if (request.greenBits > 0) glfwWindowHint(GLFW_GREEN_BITS, request.greenBits);
    if (request.blueBits > 0) glfwWindowHint(GLFW_BLUE_BITS, request.blueBits);
    if (request.alphaBits > 0) glfwWindowHint(GLFW_ALPHA_BITS, request.alphaBits);
    glfwWindowHint(GLFW_DEPTH_BITS, request.depthBits);
    glfwWindowHint(GLFW_STENCIL_BITS, request.stencilBits);
    glfwWindowHint(GLFW_RESIZABLE, request.resizable ? GLFW_TRUE : GLFW_FALSE);
    GLFWmonitor* monitor = request.fullscreen ? glfwGetPrimaryMonitor() : nullptr;
    GLFWwindow* window = glfwCreateWindow(request.width, request.height, "", monitor, nullptr);
    if (window) glfwMakeContextCurrent(window);
    return window;
}

}  // namespace Platform
