#pragma once

#include <memory>

// An OpenGL context with no window and no display server, for kelvarin-sim where no X server is:
// Mesa's surfaceless EGL, drawing into a framebuffer object of the window's size. Windows has no
// surfaceless EGL (a hidden window stands in there), and node none at all: a file per system.
namespace Platform {

class OffscreenContext {
public:
    OffscreenContext();
    ~OffscreenContext();
    OffscreenContext(OffscreenContext&&) noexcept;
    OffscreenContext& operator=(OffscreenContext&&) noexcept;

    // Makes a context of the given version current, its frames as deep as depthBits asks; false
    // when the system cannot.
    bool create(int width, int height, int depthBits, int versionMajor, int versionMinor,
                bool coreProfile);
    // Once the entry points are loaded: the framebuffer object every draw goes to from then on.
    bool attachFramebuffer();
    void destroy();
    bool isCurrent() const;

private:
    // What the system's context is made of.
    struct Parts;
    std::unique_ptr<Parts> parts;
};

}  // namespace Platform
