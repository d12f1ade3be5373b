#pragma once

// platform/: the only code that calls the window and audio libraries, and the scripted fake of
// them. Includes no other folder of the game.

#include <array>
#include <cstdint>
#include <string>

// The window library as the game calls it (the calls and key codes of the library's second
// version, which the desktop's third version and a browser's stand in for): window hints, sticky
// keys, a captured cursor, a swap that polls events, and a mouse callback that fires once when it
// is registered. The game and its tools link either the GLFW build of this module or the scripted
// fake (FakePlatform.h); nothing else includes a window library header.
namespace Platform {

// The game's key codes (the window library's second version's, "2.x codes" elsewhere), each naming
// a key by its place on the keyboard: printable keys are the upper-case ASCII codes a US layout
// prints on them, the others count up from 257.
constexpr int kKeySpace = 32;
constexpr int kKeyEsc = 257;
constexpr int kKeyF1 = 258;
constexpr int kKeyF25 = 282;
constexpr int kKeyUp = 283;
constexpr int kKeyDown = 284;
constexpr int kKeyLeft = 285;
constexpr int kKeyRight = 286;
constexpr int kKeyLShift = 287;
constexpr int kKeyRShift = 288;
constexpr int kKeyLCtrl = 289;
constexpr int kKeyRCtrl = 290;
constexpr int kKeyLAlt = 291;
constexpr int kKeyRAlt = 292;
constexpr int kKeyTab = 293;
constexpr int kKeyEnter = 294;
constexpr int kKeyBackspace = 295;
constexpr int kKeyInsert = 296;
constexpr int kKeyDel = 297;
constexpr int kKeyPageUp = 298;
constexpr int kKeyPageDown = 299;
constexpr int kKeyHome = 300;
constexpr int kKeyEnd = 301;
constexpr int kKeyKp0 = 302;
constexpr int kKeyKp9 = 311;
constexpr int kKeyKpDivide = 312;
constexpr int kKeyKpMultiply = 313;
constexpr int kKeyKpSubtract = 314;
constexpr int kKeyKpAdd = 315;
constexpr int kKeyKpDecimal = 316;
constexpr int kKeyKpEqual = 317;
constexpr int kKeyKpEnter = 318;
constexpr int kKeyKpNumLock = 319;
constexpr int kKeyCapsLock = 320;
constexpr int kKeyScrollLock = 321;
constexpr int kKeyPause = 322;
constexpr int kKeyLSuper = 323;
constexpr int kKeyRSuper = 324;
constexpr int kKeyMenu = 325;
constexpr int kKeyLast = kKeyMenu;
constexpr int kMouseButtonLeft = 0;
constexpr int kMouseButtonRight = 1;
constexpr int kMouseButtonMiddle = 2;
constexpr int kMouseButtons = 3;

constexpr int kRelease = 0;
constexpr int kPress = 1;

enum class Hint { FsaaSamples, OpenGlVersionMajor, OpenGlVersionMinor, OpenGlProfile };
constexpr int kOpenGlCoreProfile = 1;

using MousePosCallback = void (*)(int x, int y);

// True when the library is ready; false when it cannot start (no display, for example). Also
// installs the stop-signal and crash-report handlers, which terminate removes.
bool init();
void terminate();

void openWindowHint(Hint hint, int value);
// Opens the window, in the window library's default colours and without stencil, and makes its
// OpenGL context current; depthBits 0 asks for no OpenGL of the game's own.
bool openWindow(int width, int height, int depthBits);
void setWindowTitle(const char* title);
// Loads the OpenGL entry points beyond 1.1 for the current context (the extension loader, with
// its experimental switch on). False when there is no usable context.
bool loadGlEntryPoints();

// Presents the frame, then delivers pending events (mouse moves reach the callback here). Where the
// driver does not wait for the display, frames are capped at its refresh rate.
void swapBuffers();
// Benchmarks measure frames without the cap; the game always keeps it.
void setFramePacing(bool on);
// True where reading the driver's state waits until it has drawn everything sent so far: in a
// browser each read is a round trip to its GPU process.
bool driverReadsStall();
// False once the player has asked to close the window.
bool isWindowOpen();
// True once SIGINT, SIGTERM or SIGHUP arrived: the game ends as after Escape.
bool isStopRequested();

// Fullscreen on the monitor the window is on, at that monitor's current mode (no mode change);
// leaving it gives the window back its size and place. F11 and Alt+Enter switch between the two
// by themselves. In a browser only those keys and the page's button can: they are the player's
// gesture, which the browser asks for.
void setFullscreen(bool on);
bool isFullscreen();

// The window can be resized. The framebuffer is in pixels and may differ from the window's size in
// screen coordinates on high-density screens; a minimised window reports a 0 x 0 framebuffer.
void getFramebufferSize(int& width, int& height);
void getWindowSize(int& width, int& height);

int getKey(int key);
int getMouseButton(int button);
// A key or mouse button pressed and released between two polls still reads as pressed at the next
// poll.
void enableStickyKeys();
// Every press of each key and mouse button since the last call, counted as the events come: three
// taps between two polls are three presses, where a sample sees one.
struct PressCounts {
    std::array<std::uint16_t, kKeyLast + 1> keys{};
    std::array<std::uint16_t, kMouseButtons> buttons{};
};
void takePressCounts(PressCounts& counts);
// Told of each key pressed (repeats too) by its 2.x code, as the swap delivers events; null for
// none. The options read keys so; the game's actions are sampled with getKey.
using KeyListener = void (*)(int key, bool repeat);
void setKeyListener(KeyListener listener);
// What the player's layout prints on the key in this place ("Z" on a French keyboard for the key
// in W's place); empty where the system cannot tell.
std::string keyLabel(int key);
// A screen played by touch (a phone, in a browser).
bool isTouchScreen();

// A game pad in the standard layout (the window library's gamepad interface and the browsers'
// standard mapping name the same controls): the sticks from -1 to 1, y growing downwards, and
// the triggers from 0 (let go) to 1 (pulled all the way).
enum class PadButton {
    A,
    B,
    X,
    Y,
    LeftBumper,
    RightBumper,
    Back,
    Start,
    Guide,
    LeftThumb,
    RightThumb,
    DpadUp,
    DpadRight,
    DpadDown,
    DpadLeft,
    Count
};
enum class PadAxis { LeftX, LeftY, RightX, RightY, LeftTrigger, RightTrigger, Count };

// As it stands now, and what it did since it was read before: a button pressed and let go in
// between, an axis pushed further for a moment, is not lost.
struct Gamepad {
    static constexpr int kButtons = static_cast<int>(PadButton::Count);
    static constexpr int kAxes = static_cast<int>(PadAxis::Count);

    bool buttons[kButtons] = {};
    float axes[kAxes] = {};
    bool pressedSince[kButtons] = {};
    float lowestSince[kAxes] = {};
    float highestSince[kAxes] = {};

    bool isDown(PadButton button) const { return buttons[static_cast<int>(button)]; }
    float axis(PadAxis which) const { return axes[static_cast<int>(which)]; }
    // Held now or pressed since the last read.
    bool wasDown(PadButton button) const {
        return isDown(button) || pressedSince[static_cast<int>(button)];
    }
    // Held so now or since the last read.
    float lowest(PadAxis which) const { return lowestSince[static_cast<int>(which)]; }
    float highest(PadAxis which) const { return highestSince[static_cast<int>(which)]; }
    // Takes a reading of the pad as it stands in between: what it did counts at the next read.
    void follow(const Gamepad& now) {
        for (int i = 0; i < kButtons; ++i) {
            buttons[i] = now.buttons[i];
            pressedSince[i] = pressedSince[i] || now.buttons[i];
        }
        for (int i = 0; i < kAxes; ++i) {
            axes[i] = now.axes[i];
            if (now.axes[i] < lowestSince[i]) lowestSince[i] = now.axes[i];
            if (now.axes[i] > highestSince[i]) highestSince[i] = now.axes[i];
        }
    }
    // Starts the next read's span from what the pad holds now.
    void startSpan() {
        for (int i = 0; i < kButtons; ++i) pressedSince[i] = false;
        for (int i = 0; i < kAxes; ++i) lowestSince[i] = highestSince[i] = axes[i];
    }
};

// The first connected pad (in a page, touch controls act as one too); false, with pad at rest,
// when none is.
bool getGamepad(Gamepad& pad);
// Hears once of each pad in the standard layout that comes (its name as the system gives it) or
// goes (null), those there already at once; null for none. In a browser the page says it.
using GamepadListener = void (*)(const char* connectedName);
void setGamepadListener(GamepadListener listener);

// Hidden also captures: the cursor stays in the window and reports unbounded motion.
void showCursor(bool show);
void getMousePos(int& x, int& y);
void setMousePos(int x, int y);
// Registers the callback and calls it once at once with the current position.
void setMousePosCallback(MousePosCallback callback);

// Calls frame once per displayed frame until it returns false, then finish. On the desktop this
// returns after finish; in a browser it returns at once and the browser's animation frames drive
// the frames (paused while the pointer is released or the page hidden), after which the page is
// told the game ended.
void runFrameLoop(bool (*frame)(), void (*finish)());

// The real clocks count in whole ticks of 1/kTimerTicksPerSecond s, finer than a microsecond and
// exact in binary, so every frame's time is a whole number of ticks that a recording stores as a
// small integer and replays exactly.
constexpr double kTimerTicksPerSecond = 1048576.0;
// The clock's own step in ticks: 1 on the desktop, coarser in a browser, 1 for the fake's times,
// which are the tests' own and not whole ticks.
int timerStepTicks();
// Seconds since init or the last setTime.
double getTime();
void setTime(double seconds);

}  // namespace Platform
