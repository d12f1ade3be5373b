// The window module's browser part: the page's animation frames pace the game, the player's
// gestures take it fullscreen and lock the pointer, Escape belongs to the browser (it releases the
// pointer, which pauses the game), and the window library's missing sticky keys are made here.
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <map>

#include "platform/GlfwMapping.h"
#include "platform/GlfwWindow.h"

// The page's side, in library_kelvarin.js.
extern "C" {
void kelvarin_toggle_fullscreen();
int kelvarin_is_fullscreen();
int kelvarin_canvas_css_width();
int kelvarin_canvas_css_height();
void kelvarin_tell_page(const char* event);
}

namespace Platform {
namespace {

using Glfw::state;

// The game runs before the pointer was ever locked (the bricks settle while the page waits for a
// click), plays while it is locked, and pauses once it is released again or the tab is hidden,
// until a click locks it again. The page is told each change by name.
enum class PageState { WaitingForClick, Playing, Paused };

constexpr const char* kPageEvents[] = {"waiting", "playing", "paused"};

struct Browser {
    // A key released since the last poll reads as pressed at the next one, as the desktop
    // library's sticky keys have it.
    std::map<int, bool> releasedSincePoll;
    bool stickyKeys = false;
    bool pointerWasLocked = false;
    PageState pageState = PageState::WaitingForClick;
    double timeAtPause = 0.0;
    bool (*frame)() = nullptr;
    void (*finish)() = nullptr;
};

Browser browser;

bool isPointerLocked() {
    EmscriptenPointerlockChangeEvent status{};
    return emscripten_get_pointerlock_status(&status) == EMSCRIPTEN_RESULT_SUCCESS &&
           status.isActive;
}

bool isPageHidden() {
    EmscriptenVisibilityChangeEvent status{};
    return emscripten_get_visibility_status(&status) == EMSCRIPTEN_RESULT_SUCCESS && status.hidden;
}

// What the page shows the player (see PageState). The timer stands still while paused, so the
// simulation resumes where it stopped instead of catching up.
PageState followPage() {
    const bool locked = isPointerLocked();
    browser.pointerWasLocked = browser.pointerWasLocked || locked;
    PageState now = locked ? PageState::Playing : PageState::WaitingForClick;
    if (isPageHidden() || (browser.pointerWasLocked && !locked)) now = PageState::Paused;
    if (now == browser.pageState) return now;
    if (now == PageState::Paused) browser.timeAtPause = glfwGetTime();
    if (browser.pageState == PageState::Paused) glfwSetTime(browser.timeAtPause);
    browser.pageState = now;
    kelvarin_tell_page(kPageEvents[static_cast<int>(now)]);
    return now;
}

void onAnimationFrame() {
    if (followPage() == PageState::Paused) return;
    if (browser.frame()) return;
    emscripten_cancel_main_loop();
    browser.finish();
    kelvarin_tell_page("ended");
}

}  // namespace

namespace Glfw {

void onWindowOpened() {}

void afterSwap() {}

// A page goes fullscreen on the browser's terms: the request is made while the key event is being
// handled, which browsers count as the player's gesture.
void onKey(int key, int action, int mods) {
    if (action == GLFW_RELEASE && browser.stickyKeys) browser.releasedSincePoll[key] = true;
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
    const int libraryKey = GlfwMapping::toGlfwKey(key);
    const bool pressed = glfwGetKey(state().window, libraryKey) == GLFW_PRESS ||
                         browser.releasedSincePoll[libraryKey];
    browser.releasedSincePoll[libraryKey] = false;
    return pressed ? kPress : kRelease;
}

int getMouseButton(int button) {
    // The click that locks the pointer is not a shot.
    if (!state().window || !isPointerLocked()) return kRelease;
    return glfwGetMouseButton(state().window, button) == GLFW_PRESS ? kPress : kRelease;
}

void enableStickyKeys() {
    browser.stickyKeys = true;
}

// A browser locks the pointer only for the player's click, on which the page asks for it; the
// library's request at once, with no click, would be refused with an error.
void showCursor(bool) {
    state().cursor.requestResync();
}

void runFrameLoop(bool (*frame)(), void (*finish)()) {
    browser.frame = frame;
    browser.finish = finish;
    emscripten_set_main_loop(onAnimationFrame, 0, false);
}

}  // namespace Platform
