// The frame loop of a program that owns its thread (the desktop window, the scripted fake); a
// browser's animation frames drive the game instead (BrowserWindow.cpp).
#include "platform/Platform.h"

namespace Platform {

void runFrameLoop(bool (*frame)(), void (*finish)()) {
    while (frame()) {
    }
    finish();
}

}  // namespace Platform
