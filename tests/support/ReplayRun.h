#pragma once

#include <glm/glm.hpp>
#include <string>
#include <vector>

#include "app/GameRun.h"
#include "app/Script.h"
#include "app/Session.h"

// A recording replayed by a run without a window or OpenGL, from a fresh start (see startAfresh).
struct ReplayRun {
    explicit ReplayRun(const Script::Script& recording);
    // The recording's text.
    explicit ReplayRun(const std::string& text);
    ~ReplayRun();

    void frames(int count);
    // Frames until the replay says stop, then the shutdown.
    void toTheEnd();
    std::vector<glm::vec3> bricks();

    Session session;
    GameRun run;
};
