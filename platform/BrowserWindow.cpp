// The window module's browser part: the page's animation frames pace the game and the page says
// when play pauses; the player's gestures take it fullscreen and lock the pointer, Escape belongs
// to the browser (it releases the pointer, on which the page pauses), touch drags turn the view.
// Keys are followed here by their place (KeyboardEvent.code), sticky as the desktop library has
// them, where the window library would follow the letter printed on them; mouse buttons are
// sticky too.
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>

#include "platform/GlfwMapping.h"
#include "platform/GlfwWindow.h"
#include "platform/KeyboardCodes.h"

// The page's side, in library_kelvarin.js.
extern "C" {
void kelvarin_toggle_fullscreen();
int kelvarin_is_fullscreen();
int kelvarin_canvas_css_width();
int kelvarin_canvas_css_height();
void kelvarin_tell_page(const char* event);
int kelvarin_page_paused();
int kelvarin_read_gamepad(int* buttons, float* axes, int* pressedSince, float* lowest,
                          float* highest);
char* kelvarin_layout_label(const char* code);
int kelvarin_is_touch_screen();
}

namespace Platform {
namespace {

using Glfw::state;

constexpr double kTimerStepsPerSecond = 8192.0;

struct Browser {
    // A key or button released since the last poll reads as pressed at the next one, as the
    // desktop library's sticky keys have it.
    std::map<int, bool> keysDown;
    std::map<int, bool> releasedSincePoll;
    std::map<int, bool> buttonsReleasedSincePoll;
    bool stickyKeys = false;
    bool paused = false;
    double timeAtPause = 0.0;
    bool (*frame)() = nullptr;
    void (*finish)() = nullptr;
};

Browser browser;

EM_BOOL onKeyEvent(int type, const EmscriptenKeyboardEvent* event, void*) {
    const int key = keyAtCode(event->code);
    if (key < 0) return EM_FALSE;
    const bool down = type == EMSCRIPTEN_EVENT_KEYDOWN;
    if (down && !event->repeat && key != kKeyEsc) ++state().presses.keys[key];
    if (down && state().keyListener) state().keyListener(key, event->repeat);
    if (!down && browser.keysDown[key] && browser.stickyKeys) browser.releasedSincePoll[key] = true;
    browser.keysDown[key] = down;
    // The page and the window library hear of the key too.
    return EM_FALSE;
}

bool isPointerLocked() {
    EmscriptenPointerlockChangeEvent status{};
    return emscripten_get_pointerlock_status(&status) == EMSCRIPTEN_RESULT_SUCCESS &&
           status.isActive;
}

// A page numbers the buttons left, middle, right; the window library left, right, middle.
int buttonOfPage(int pageButton) {
    constexpr int kButtons[kMouseButtons] = {kMouseButtonLeft, kMouseButtonMiddle,
                                             kMouseButtonRight};
    return pageButton >= 0 && pageButton < kMouseButtons ? kButtons[pageButton] : -1;
}

// The click that locks the pointer is not a press the game hears of.
EM_BOOL onMouseDown(int, const EmscriptenMouseEvent* event, void*) {
    const int button = buttonOfPage(event->button);
    if (button >= 0 && isPointerLocked()) ++state().presses.buttons[button];
    return EM_FALSE;
}

EM_BOOL onMouseUp(int, const EmscriptenMouseEvent* event, void*) {
    const int button = buttonOfPage(event->button);
    if (button >= 0 && browser.stickyKeys) browser.buttonsReleasedSincePoll[button] = true;
    return EM_FALSE;
}

bool isPageHidden() {
    EmscriptenVisibilityChangeEvent status{};
    return emscripten_get_visibility_status(&status) == EMSCRIPTEN_RESULT_SUCCESS && status.hidden;
}

// The page decides when play pauses (Escape, a pad's Start, a hidden tab): no frame runs then,
// and the timer stands still, so the simulation resumes where it stopped instead of catching up.
bool followPage() {
    const bool paused = kelvarin_page_paused() != 0 || isPageHidden();
    if (paused == browser.paused) return paused;
    if (paused) browser.timeAtPause = getTime();
    if (!paused) glfwSetTime(browser.timeAtPause);
    browser.paused = paused;
    return paused;
}

void onAnimationFrame() {
    if (followPage()) return;
    if (browser.frame()) return;
    emscripten_cancel_main_loop();
    browser.finish();
    kelvarin_tell_page("ended");
}

}  // namespace

namespace Glfw {

void onWindowOpened() {
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, true, onKeyEvent);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, true, onKeyEvent);
    emscripten_set_mouseup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, true, onMouseUp);
    emscripten_set_mousedown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, true, onMouseDown);
}

void beforeTerminate() {
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, true, nullptr);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, true, nullptr);
    emscripten_set_mouseup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, true, nullptr);
    emscripten_set_mousedown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, true, nullptr);
}

void afterSwap() {}

// A page goes fullscreen on the browser's terms: the request is made while the key event is being
// handled, which browsers count as the player's gesture.
void onKey(int key, int action, int mods) {
    if (GlfwMapping::isFullscreenKey(key, action, mods)) kelvarin_toggle_fullscreen();
}

}  // namespace Glfw

void setFramePacing(bool) {}

// Each read of the driver's state is a round trip to the browser's GPU process.
bool driverReadsStall() {
    return true;
}

// Only the player's own gesture may take a page fullscreen: the page's keys and button do.
void setFullscreen(bool) {}

bool isFullscreen() {
    return kelvarin_is_fullscreen() != 0;
}

// The canvas's size on the page, in CSS pixels: its drawing buffer, the framebuffer, follows it in
// device pixels, so their ratio is the screen's density.
void getWindowSize(int& width, int& height) {
    width = kelvarin_canvas_css_width();
    height = kelvarin_canvas_css_height();
}

int getKey(int key) {
    // Escape belongs to the browser: it releases the pointer, which pauses the game.
    if (!state().window || key == kKeyEsc) return kRelease;
    const bool pressed = browser.keysDown[key] || browser.releasedSincePoll[key];
    browser.releasedSincePoll[key] = false;
    return pressed ? kPress : kRelease;
}

int getMouseButton(int button) {
    const bool released = std::exchange(browser.buttonsReleasedSincePoll[button], false);
    // The click that locks the pointer is not a shot.
    if (!state().window || !isPointerLocked()) return kRelease;
    return glfwGetMouseButton(state().window, button) == GLFW_PRESS || released ? kPress : kRelease;
}

void setKeyListener(KeyListener listener) {
    state().keyListener = listener;
}

// As the player's layout prints it, where the browser tells (its Keyboard Map).
std::string keyLabel(int key) {
    const std::string code = codeOfKey(key);
    char* label = code.empty() ? nullptr : kelvarin_layout_label(code.c_str());
    if (!label) return {};
    std::string shown = label;
    std::free(label);
    for (char& c : shown) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return shown;
}

bool isTouchScreen() {
    return kelvarin_is_touch_screen() != 0;
}

// The page says when a pad comes or goes: it watches them while the game is paused too.
void setGamepadListener(GamepadListener) {}

bool getGamepad(Gamepad& pad) {
    pad = Gamepad();
    int buttons[Gamepad::kButtons] = {};
    int pressed[Gamepad::kButtons] = {};
    if (!kelvarin_read_gamepad(buttons, pad.axes, pressed, pad.lowestSince, pad.highestSince)) {
        return false;
    }
    for (int i = 0; i < Gamepad::kButtons; ++i) {
        pad.buttons[i] = buttons[i] != 0;
        pad.pressedSince[i] = pressed[i] != 0;
    }
    return true;
}

void enableStickyKeys() {
    browser.stickyKeys = true;
}

// A browser locks the pointer only for the player's click, on which the page asks for it; the
// library's request at once, with no click, would be refused with an error.
void showCursor(bool) {
    state().cursor.requestResync();
}

// A browser's timer counts in steps of about 100 microseconds anyway. Steps of 1/8192 s make
// every frame time a short, exact binary fraction, so a recording's times stay short in its text
// and in a share link.
double getTime() {
    return std::floor(glfwGetTime() * kTimerStepsPerSecond) / kTimerStepsPerSecond;
}

int timerStepTicks() {
    return static_cast<int>(kTimerTicksPerSecond / kTimerStepsPerSecond);
}

void setTime(double seconds) {
    glfwSetTime(seconds);
}

void runFrameLoop(bool (*frame)(), void (*finish)()) {
    browser.frame = frame;
    browser.finish = finish;
    emscripten_set_main_loop(onAnimationFrame, 0, false);
    kelvarin_tell_page("started");
}

}  // namespace Platform

// A drag on the game's canvas (a touch screen has no pointer to lock): the page hands the motion
// over between frames, as the window library hands over the mouse's, and it reaches the game as a
// cursor report.
extern "C" EMSCRIPTEN_KEEPALIVE void kelvarin_look_by(int dx, int dy) {
    Platform::Glfw::State& state = Platform::Glfw::state();
    const int x = state.cursor.getX() + dx;
    const int y = state.cursor.getY() + dy;
    state.cursor.set(x, y);
    if (state.mouseCallback) state.mouseCallback(x, y);
}
