#pragma once

#include "platform/Platform.h"

namespace Platform {

// The window hints the game gives (multisampling, the OpenGL version and profile), kept as they are
// given and applied when the window opens; the window module and the fake share them.
struct WindowHints {
    int samples = 0;
    int versionMajor = 1;
    int versionMinor = 0;
    bool coreProfile = false;
};

void applyHint(WindowHints& hints, Hint hint, int value);

}  // namespace Platform
