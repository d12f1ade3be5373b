#include "platform/GlfwMapping.h"

#include <GLFW/glfw3.h>

#include "platform/Platform.h"

namespace Platform::GlfwMapping {

int toGlfwKey(int key) {
    switch (key) {
        case kKeyEsc:
            return GLFW_KEY_ESCAPE;
        case kKeyLShift:
            return GLFW_KEY_LEFT_SHIFT;
        case kKeyRShift:
            return GLFW_KEY_RIGHT_SHIFT;
        default:
            return key;
    }
}

int cursorMode(bool show) {
    return show ? GLFW_CURSOR_NORMAL : GLFW_CURSOR_DISABLED;
}

bool isFullscreenKey(int key, int action, int mods) {
    return action == GLFW_PRESS &&
           (key == GLFW_KEY_F11 || (key == GLFW_KEY_ENTER && (mods & GLFW_MOD_ALT) != 0));
}

}  // namespace Platform::GlfwMapping
