#pragma once

#include <GL/glew.h>

// An OpenGL context with no window and no display server: Mesa's surfaceless EGL platform, drawing
// into a framebuffer object of the window's size that stands in for the window's framebuffer.
// For kelvarin-sim, which runs where no X server is.
namespace Platform {

#if defined(_WIN32) || defined(__EMSCRIPTEN__)
// Windows has no surfaceless EGL (the fake platform opens a hidden window there instead), and a
// browser or node none at all.
class OffscreenContext {
public:
    bool create(int, int, int, int, bool) { return false; }
    bool attachFramebuffer() { return false; }
    void destroy() {}
    bool isCurrent() const { return false; }
};
#else
class OffscreenContext {
public:
    // Makes a context of the given version current; false when EGL cannot.
    bool create(int width, int height, int versionMajor, int versionMinor, bool coreProfile);
    // Once the entry points are loaded: the framebuffer object every draw goes to from then on.
    bool attachFramebuffer();
    void destroy();
    bool isCurrent() const { return context != nullptr; }

private:
    void* display = nullptr;
    void* context = nullptr;
    int width = 0;
    int height = 0;
    GLuint framebuffer = 0;
    GLuint colour = 0;
    GLuint depth = 0;
};
#endif

}  // namespace Platform
