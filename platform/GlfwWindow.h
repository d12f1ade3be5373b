#pragma once

// The window module's insides: what the code common to every target (GlfwWindow.cpp) shares with
// the one file of the target it is built for (DesktopWindow.cpp or BrowserWindow.cpp, chosen by
// CMake), which implements the rest of Platform.h and the hooks below.

// OpenGL's own header comes from the extension loader, wherever this one is included.
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include "platform/CursorTracker.h"
#include "platform/Platform.h"
#include "platform/WindowHints.h"

namespace Platform::Glfw {

struct State {
    GLFWwindow* window = nullptr;
    WindowHints hints;
    MousePosCallback mouseCallback = nullptr;
    KeyListener keyListener = nullptr;
    CursorTracker cursor;
    PressCounts presses;
};

State& state();

// The target's part of opening the window, once it is open: its swap interval, pacing and own
// callbacks; and of closing it, just before the library ends: the removal of those callbacks.
void onWindowOpened();
void beforeTerminate();
// Right after each swap, before events are polled: where frames are capped, the wait.
void afterSwap();
// Every key event the window library reports, before the game polls.
void onKey(int key, int action, int mods);

}  // namespace Platform::Glfw
