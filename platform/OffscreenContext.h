#pragma once

#include <GL/glew.h>

// An OpenGL context with no window and no display server: Mesa's surfaceless EGL platform, drawing
// into a framebuffer object of the window's size that stands in for the window's framebuffer.
// For kelvarin-sim, which runs where no X server is. Windows has no surfaceless EGL (a hidden
// window stands in there), and node none at all (create fails): a file per system.
namespace Platform {

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

}  // namespace Platform
