#pragma once

// A scripted stand-in for the window library's C interface, linked instead of the library into
// the window module's tests: windows, monitors, keys, the cursor and pads are plain state here,
// and the module's callbacks can be fired as the library would fire them.
struct GLFWwindow;
struct GLFWmonitor;

namespace FakeGlfw {

void reset();
// The callbacks the window module registered, fired as during an event poll.
void sendKey(int key, int action, int mods);
void sendCursor(double x, double y);
void sendMouseButton(int button, int action);
// Where the cursor stands on screen, as the library tells it when asked.
void setCursorPos(double x, double y);
// A pad in the library's gamepad layout, plugged in or pulled out at once (the joystick callback
// fires), or its controls moved.
void connectPad(int joystick, const char* name);
void disconnectPad(int joystick);
void setPadState(int joystick, const unsigned char* buttons, const float* axes);
// The window the module opened (null before), the one monitor there is, and the monitor the
// window is fullscreen on (null when windowed).
GLFWwindow* window();
GLFWmonitor* monitor();
GLFWmonitor* windowMonitor();

}  // namespace FakeGlfw
