#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/glew.h>

#include "platform/OffscreenContext.h"

namespace Platform {
namespace {

constexpr int kBitsOfAFixedPointDepth = 24;

}  // namespace

struct OffscreenContext::Parts {
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLContext context = EGL_NO_CONTEXT;
    int width = 0;
    int height = 0;
    int depthBits = 0;
    GLuint framebuffer = 0;
    GLuint colour = 0;
    GLuint depth = 0;
};

OffscreenContext::OffscreenContext() : parts(std::make_unique<Parts>()) {}
OffscreenContext::~OffscreenContext() = default;
OffscreenContext::OffscreenContext(OffscreenContext&&) noexcept = default;
OffscreenContext& OffscreenContext::operator=(OffscreenContext&&) noexcept = default;

bool OffscreenContext::isCurrent() const {
    return parts && parts->context != EGL_NO_CONTEXT;
}

bool OffscreenContext::create(int width, int height, int depthBits, int versionMajor,
                              int versionMinor, bool coreProfile) {
    Parts& p = *parts;
    const auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!getPlatformDisplay) return false;
    p.display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (p.display == EGL_NO_DISPLAY || !eglInitialize(p.display, nullptr, nullptr)) return false;
    if (!eglBindAPI(EGL_OPENGL_API)) return false;
    const EGLint attributes[] = {
        EGL_CONTEXT_MAJOR_VERSION,
        versionMajor,
        EGL_CONTEXT_MINOR_VERSION,
        versionMinor,
        EGL_CONTEXT_OPENGL_PROFILE_MASK,
        coreProfile ? EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT
                    : EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
        EGL_NONE,
    };
    // No surface, so no config: the framebuffer object decides the formats.
    p.context = eglCreateContext(p.display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
    if (p.context == EGL_NO_CONTEXT) return false;
    p.width = width;
    p.height = height;
    p.depthBits = depthBits;
    return eglMakeCurrent(p.display, EGL_NO_SURFACE, EGL_NO_SURFACE, p.context) == EGL_TRUE;
}

bool OffscreenContext::attachFramebuffer() {
    Parts& p = *parts;
    glGenRenderbuffers(1, &p.colour);
    glBindRenderbuffer(GL_RENDERBUFFER, p.colour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, p.width, p.height);
    glGenRenderbuffers(1, &p.depth);
    glBindRenderbuffer(GL_RENDERBUFFER, p.depth);
    const GLenum depthFormat =
        p.depthBits > kBitsOfAFixedPointDepth ? GL_DEPTH_COMPONENT32F : GL_DEPTH_COMPONENT24;
    glRenderbufferStorage(GL_RENDERBUFFER, depthFormat, p.width, p.height);
    glGenFramebuffers(1, &p.framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, p.framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, p.colour);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, p.depth);
    glViewport(0, 0, p.width, p.height);
    return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

void OffscreenContext::destroy() {
    if (!isCurrent()) return;
    Parts& p = *parts;
    if (p.framebuffer) {
        glDeleteFramebuffers(1, &p.framebuffer);
        glDeleteRenderbuffers(1, &p.colour);
        glDeleteRenderbuffers(1, &p.depth);
    }
    eglMakeCurrent(p.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(p.display, p.context);
    eglTerminate(p.display);
    p = Parts();
}

}  // namespace Platform
