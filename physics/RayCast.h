#pragma once

// The nearest box a ray meets among the physics world's objects.

#include <glm/glm.hpp>
#include <vector>

namespace Geo {
class GeoObjPhysics;
}

namespace RayCast {

struct Hit {
    // Null when the ray meets nothing.
    Geo::GeoObjPhysics* object = nullptr;
    // Along the ray, in units of its direction's length.
    float distance = 0.0f;
    glm::vec3 point{0.0f};
};

// The first enabled box the ray from origin along direction meets, a box holding the origin
// excepted (the eye may stand in a brick); movableOnly leaves the fixed walls out.
Hit nearest(const std::vector<Geo::GeoObjPhysics*>& objects, glm::vec3 origin, glm::vec3 direction,
            bool movableOnly);

}  // namespace RayCast
