#pragma once

#include "platform/WindowHints.h"

struct GLFWwindow;

namespace Platform {

// A window of the window library with its OpenGL context made current: the game's own window,
// and the fake platform's hidden one, which lets tests draw with a real driver.
struct ContextWindowRequest {
    int width = 0;
    int height = 0;
    WindowHints hints;
    // The library's default colours, and no stencil.
    int depthBits = 0;
    bool visible = true;
    bool resizable = false;
};

// Null when the library cannot make it.
GLFWwindow* openContextWindow(const ContextWindowRequest& request);

}  // namespace Platform
