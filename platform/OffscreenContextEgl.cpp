#include <EGL/egl.h>
#include <EGL/eglext.h>

#include "platform/OffscreenContext.h"

namespace Platform {

bool OffscreenContext::create(int w, int h, int versionMajor, int versionMinor, bool coreProfile) {
    const auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!getPlatformDisplay) return false;
    EGLDisplay eglDisplay =
        getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (eglDisplay == EGL_NO_DISPLAY || !eglInitialize(eglDisplay, nullptr, nullptr)) return false;
    display = eglDisplay;
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
    EGLContext eglContext =
        eglCreateContext(eglDisplay, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
    if (eglContext == EGL_NO_CONTEXT) return false;
    context = eglContext;
    width = w;
    height = h;
    return eglMakeCurrent(eglDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, eglContext) == EGL_TRUE;
}

bool OffscreenContext::attachFramebuffer() {
    glGenRenderbuffers(1, &colour);
    glBindRenderbuffer(GL_RENDERBUFFER, colour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glGenRenderbuffers(1, &depth);
    glBindRenderbuffer(GL_RENDERBUFFER, depth);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT32F, width, height);
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth);
    glViewport(0, 0, width, height);
    return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

void OffscreenContext::destroy() {
    if (!context) return;
    if (framebuffer) {
        glDeleteFramebuffers(1, &framebuffer);
        glDeleteRenderbuffers(1, &colour);
        glDeleteRenderbuffers(1, &depth);
        framebuffer = colour = depth = 0;
    }
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(display, context);
    eglTerminate(display);
    context = nullptr;
    display = nullptr;
}

}  // namespace Platform
