#include "physics/Collider.h"

#include <cmath>

namespace {

bool isFinite(const glm::vec3& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

}  // namespace

void Collider::initFromModel(const std::vector<glm::vec3>& positions) {
    bool first = true;
    for (const glm::vec3& p : positions) {
        // A NaN corner would make a box that overlaps everything, an infinite one a box whose
        // extent is NaN: such vertices are left out of the bounds.
        if (!isFinite(p)) continue;
        if (first) {
            min = p;
            max = p;
            first = false;
        }
        for (int axis = 0; axis < 3; ++axis) {
            if (p[axis] < min[axis]) min[axis] = p[axis];
            if (p[axis] > max[axis]) max[axis] = p[axis];
        }
    }
}

void Collider::setPosition(glm::vec3 p) {
    transform.setPosition(p);
}

void Collider::setScale(glm::vec3 s) {
    const glm::vec3 oldScale = transform.getScale();
    transform.setScale(s);
    const glm::vec3 ratio = transform.getScale() / oldScale;
    min *= ratio;
    max *= ratio;
}

void Collider::scale(glm::vec3 v) {
    transform.scale(v);
    min *= v;
    max *= v;
}
