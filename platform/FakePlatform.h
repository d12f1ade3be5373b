#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/WindowHints.h"

// Scripting of the fake build of the platform module: tests and kelvarin-sim set keys, buttons,
// cursor reports and the timer frame by frame. With a real context requested, openWindow makes a
// hidden window whose OpenGL context is real, so drawing code runs against a real driver.
namespace Platform::Fake {

void reset();
void useRealContext(bool real);
// An OpenGL context without any display server (EGL, surfaceless) instead of a hidden window.
void useOffscreenContext(bool offscreen);
void failInit(bool fail);
void failOpenWindow(bool fail);
// Windows open at this size whatever the game asks for (0 x 0: as asked), as a window manager may
// decide: frames whose pixels nobody judges cost the driver far less when small.
void overrideWindowSize(int width, int height);

// Keys and buttons use the 2.x codes of Platform.h. With sticky keys on, a key or button released
// before the next poll still reads as pressed once, as in the window library.
void setKey(int key, bool down);
void tapKey(int key);
void setMouseButton(int button, bool down);
void tapMouseButton(int button);
// The pad as it stands from now on, told by its name when it comes; what it did since the last
// read counts at the next one, as on the desktop. disconnectGamepad takes it away again.
void setGamepad(const Gamepad& pad, const char* name = "Test Pad");
void disconnectGamepad();

// Each swap advances the timer by this many seconds (0: the timer stands still).
void setTimeStepPerSwap(double seconds);

// Delivered to the mouse callback during the next swap, in order.
void queueCursorReport(int x, int y);
void requestClose();
// The window's size in screen coordinates and its framebuffer's in pixels; both start at the size
// the window was opened with. A minimised window has a 0 x 0 framebuffer.
void setWindowSize(int width, int height);
void setFramebufferSize(int width, int height);
// Runs inside every swap, while the frame is still in the back buffer and before the queued cursor
// reports; receives the 1-based swap number.
void setSwapHook(std::function<void(int swap)> hook);

struct Record {
    int initCalls = 0;
    int terminateCalls = 0;
    int openWindowCalls = 0;
    int swaps = 0;
    int width = 0;
    int height = 0;
    int depthBits = 0;
    WindowHints hints;
    bool stickyKeys = false;
    bool fullscreen = false;
    bool cursorShown = true;
    int cursorX = 0;
    int cursorY = 0;
    std::string title;
    std::vector<std::string> playedTracks;
    float musicVolume = 1.0f;
    int audioCloseCalls = 0;
};
const Record& record();

}  // namespace Platform::Fake
