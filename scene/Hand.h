#pragma once

// The player's hand: a brick picked up where the view aims, carried in front of the eye at the
// distance it was picked from and thrown with its speed when let go; and a blast at the aimed
// point. Plain data in, data out: the eye and the look come from the caller.

#include <glm/glm.hpp>

namespace Geo {
class GeoObjPhysics;
}

class Hand {
public:
    static constexpr float kReach = 40.0f;
    static constexpr float kBlastRadius = 3.0f;
    static constexpr float kBlastSpeed = 15.0f;

    // One simulation step of dt seconds, after gravity and before the bricks move: while held,
    // picks the brick aimed at (once) and steers the one held to its place before the eye.
    void follow(bool held, glm::vec3 eye, glm::vec3 look, float dt);
    // Pushes the bricks near the first thing the view meets away from it. Returns how many.
    int blast(glm::vec3 eye, glm::vec3 look);
    void letGo() { holding = nullptr; }
    const Geo::GeoObjPhysics* held() const { return holding; }

private:
    Geo::GeoObjPhysics* holding = nullptr;
    float distance = 0.0f;
};
