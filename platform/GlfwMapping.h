#pragma once

// How the 2.x calls of Platform.h map onto the window library's 3.x values. Kept apart from the
// window module so the mapping can be tested without a window.
namespace Platform::GlfwMapping {

// A 2.x key code (Platform::kKey...) as the library's key, and back (-1 for a key of neither).
int toGlfwKey(int key);
int fromGlfwKey(int glfwKey);
// The cursor mode for a shown or a hidden cursor; hidden also captures it.
int cursorMode(bool show);
// F11, or Enter with Alt held, pressed: the keys that switch between the window and fullscreen.
bool isFullscreenKey(int key, int action, int mods);

}  // namespace Platform::GlfwMapping
