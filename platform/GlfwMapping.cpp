#include "platform/GlfwMapping.h"

#include <GLFW/glfw3.h>

#include "platform/Platform.h"

namespace Platform::GlfwMapping {

namespace {

struct KeyPair {
    int key;
    int glfwKey;
};

// The keys whose 2.x codes are not their printable character's, and not in a run below.
constexpr KeyPair kSpecialKeys[] = {
    {kKeyEsc, GLFW_KEY_ESCAPE},
    {kKeyUp, GLFW_KEY_UP},
    {kKeyDown, GLFW_KEY_DOWN},
    {kKeyLeft, GLFW_KEY_LEFT},
    {kKeyRight, GLFW_KEY_RIGHT},
    {kKeyLShift, GLFW_KEY_LEFT_SHIFT},
    {kKeyRShift, GLFW_KEY_RIGHT_SHIFT},
    {kKeyLCtrl, GLFW_KEY_LEFT_CONTROL},
    {kKeyRCtrl, GLFW_KEY_RIGHT_CONTROL},
    {kKeyLAlt, GLFW_KEY_LEFT_ALT},
    {kKeyRAlt, GLFW_KEY_RIGHT_ALT},
    {kKeyTab, GLFW_KEY_TAB},
    {kKeyEnter, GLFW_KEY_ENTER},
    {kKeyBackspace, GLFW_KEY_BACKSPACE},
    {kKeyInsert, GLFW_KEY_INSERT},
    {kKeyDel, GLFW_KEY_DELETE},
    {kKeyPageUp, GLFW_KEY_PAGE_UP},
    {kKeyPageDown, GLFW_KEY_PAGE_DOWN},
    {kKeyHome, GLFW_KEY_HOME},
    {kKeyEnd, GLFW_KEY_END},
    {kKeyKpDivide, GLFW_KEY_KP_DIVIDE},
    {kKeyKpMultiply, GLFW_KEY_KP_MULTIPLY},
    {kKeyKpSubtract, GLFW_KEY_KP_SUBTRACT},
    {kKeyKpAdd, GLFW_KEY_KP_ADD},
    {kKeyKpDecimal, GLFW_KEY_KP_DECIMAL},
    {kKeyKpEqual, GLFW_KEY_KP_EQUAL},
    {kKeyKpEnter, GLFW_KEY_KP_ENTER},
    {kKeyKpNumLock, GLFW_KEY_NUM_LOCK},
    {kKeyCapsLock, GLFW_KEY_CAPS_LOCK},
    {kKeyScrollLock, GLFW_KEY_SCROLL_LOCK},
    {kKeyPause, GLFW_KEY_PAUSE},
    {kKeyLSuper, GLFW_KEY_LEFT_SUPER},
    {kKeyRSuper, GLFW_KEY_RIGHT_SUPER},
    {kKeyMenu, GLFW_KEY_MENU},
};

}  // namespace

int toGlfwKey(int key) {
    if (key >= kKeyF1 && key <= kKeyF25) return GLFW_KEY_F1 + (key - kKeyF1);
    if (key >= kKeyKp0 && key <= kKeyKp9) return GLFW_KEY_KP_0 + (key - kKeyKp0);
    for (const KeyPair& pair : kSpecialKeys) {
        if (pair.key == key) return pair.glfwKey;
    }
    // Printable keys share their codes, the upper-case ASCII a US layout prints on them.
    return key;
}

int fromGlfwKey(int glfwKey) {
    if (glfwKey >= GLFW_KEY_F1 && glfwKey <= GLFW_KEY_F25) return kKeyF1 + (glfwKey - GLFW_KEY_F1);
    if (glfwKey >= GLFW_KEY_KP_0 && glfwKey <= GLFW_KEY_KP_9) {
        return kKeyKp0 + (glfwKey - GLFW_KEY_KP_0);
    }
    for (const KeyPair& pair : kSpecialKeys) {
        if (pair.glfwKey == glfwKey) return pair.key;
    }
    return glfwKey >= GLFW_KEY_SPACE && glfwKey <= GLFW_KEY_GRAVE_ACCENT ? glfwKey : -1;
}

int cursorMode(bool show) {
    return show ? GLFW_CURSOR_NORMAL : GLFW_CURSOR_DISABLED;
}

bool isFullscreenKey(int key, int action, int mods) {
    return action == GLFW_PRESS &&
           (key == GLFW_KEY_F11 || (key == GLFW_KEY_ENTER && (mods & GLFW_MOD_ALT) != 0));
}

}  // namespace Platform::GlfwMapping
