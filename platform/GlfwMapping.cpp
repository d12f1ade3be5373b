#include "platform/GlfwMapping.h"

#include <GLFW/glfw3.h>

#include "platform/Platform.h"

namespace GlfwMapping {

int toGlfwKey(int key) {
    switch (key) {
        case Platform::kKeyEsc:
            return GLFW_KEY_ESCAPE;
        case Platform::kKeyLShift:
            return GLFW_KEY_LEFT_SHIFT;
        case Platform::kKeyRShift:
            return GLFW_KEY_RIGHT_SHIFT;
        default:
            return key;
    }
}

int cursorMode(bool show) {
    return show ? GLFW_CURSOR_NORMAL : GLFW_CURSOR_DISABLED;
}

}  // namespace GlfwMapping
