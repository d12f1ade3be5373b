#pragma once

#include "platform/OffscreenContext.h"
#include "platform/WindowHints.h"

struct GLFWwindow;

namespace Platform {

// The fake platform's OpenGL, where a test or kelvarin-sim asks for one: a real driver's context
// in a hidden window of the window library, or through EGL without any display server; none
// otherwise, and the scripted window only pretends.
class FakeContext {
public:
    enum class Kind { None, HiddenWindow, Offscreen };

    explicit FakeContext(Kind kind = Kind::None) : kind(kind) {}
    ~FakeContext();
    FakeContext(const FakeContext&) = delete;
    FakeContext& operator=(const FakeContext&) = delete;

    Kind what() const { return kind; }
    // The window library a hidden window needs; false when it cannot start.
    bool startLibrary();
    void endLibrary();
    // Made current, at the size the fake window has; false when the system cannot.
    bool open(int width, int height, int depthBits, const WindowHints& hints);
    // The extension loader's entry points for the context, with the offscreen one's framebuffer.
    bool loadEntryPoints();
    void swap();
    void close();

private:
    Kind kind;
    GLFWwindow* window = nullptr;
    OffscreenContext offscreen;
};

}  // namespace Platform
