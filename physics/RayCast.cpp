#include "physics/RayCast.h"

#include <algorithm>
#include <limits>

#include "objects/GeoObjPhysics.h"

namespace RayCast {

namespace {

// The slab test: where the ray enters the box, or a negative distance when it misses the box or
// starts inside it.
float entry(glm::vec3 origin, glm::vec3 direction, glm::vec3 min, glm::vec3 max) {
    float near = 0.0f;
    float far = std::numeric_limits<float>::max();
    for (int axis = 0; axis < 3; ++axis) {
        if (direction[axis] == 0.0f) {
            if (origin[axis] < min[axis] || origin[axis] > max[axis]) return -1.0f;
            continue;
        }
        float t0 = (min[axis] - origin[axis]) / direction[axis];
        float t1 = (max[axis] - origin[axis]) / direction[axis];
        if (t0 > t1) std::swap(t0, t1);
        near = std::max(near, t0);
        far = std::min(far, t1);
        // NaN from a box without finite corners fails these and so misses.
        if (!(near <= far)) return -1.0f;
    }
    return near > 0.0f ? near : -1.0f;
}

}  // namespace

Hit nearest(const std::vector<Geo::GeoObjPhysics*>& objects, glm::vec3 origin, glm::vec3 direction,
            bool movableOnly) {
    Hit hit;
    for (Geo::GeoObjPhysics* object : objects) {
        if (!object->collider.isEnabled()) continue;
        if (movableOnly && (object->isStatic || object->mass == 0.0f)) continue;
        const float t =
            entry(origin, direction, object->collider.worldMin(), object->collider.worldMax());
        if (t < 0.0f || (hit.object && t >= hit.distance)) continue;
        hit.object = object;
        hit.distance = t;
    }
    hit.point = origin + direction * hit.distance;
    return hit;
}

}  // namespace RayCast
