#pragma once

#include "render/Viewport.h"

class BrickWallScene;

// The window of one run and what it draws with, made in the start-up order and released in the
// shutdown order: the window library and the window (with OpenGL when drawing), the console
// beside it, the shared GPU resources and the lit program, and the state the frames draw in; the
// driver's errors read after the frames that draw.
class RunWindow {
public:
    // The window library, the window and the extension loader, then the console placed and the
    // models' and textures' GPU resources. False when the window or OpenGL could not be made; said
    // on standard error, the library ended where it must be.
    bool open(bool drawing, bool fullscreen);
    // Once the input and the render context exist: the lit program, made current.
    void prepareLitProgram();
    // After the clock's reset: the title, sticky keys and the OpenGL state the frames run with.
    void prepareFrames();
    // Asked once a frame: nothing is drawn without OpenGL or behind a minimised window.
    GLUtils::FrameLayout layout() const;
    bool draws(const GLUtils::FrameLayout& layout) const { return drawing && layout.drawable; }
    // The window's shape, the cleared frame and the lit shader's per-frame uniforms.
    void beginDrawing(BrickWallScene& scene, const GLUtils::FrameLayout& layout);
    // After a frame drawn: an error the driver reports is said once and counted.
    void checkErrors(int frame);
    int errorFrames() const { return errors; }
    // The shared GPU resources and the lit program, the music, then the window library.
    void release();

private:
    bool openWithOpenGl();

    bool drawing = false;
    int errors = 0;
};
