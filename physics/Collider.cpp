#include "physics/Collider.h"

void Collider::initFromModel(const std::vector<glm::vec3>& positions) {
    if (positions.empty()) return;
    min = positions.front();
    max = positions.front();
    for (const glm::vec3& p : positions) {
        for (int axis = 0; axis < 3; ++axis) {
            if (p[axis] < min[axis]) min[axis] = p[axis];
            if (p[axis] > max[axis]) max[axis] = p[axis];
        }
    }
}

void Collider::setPosition(glm::vec3 p) {
    transform.setPosition(p);
}

void Collider::translate(glm::vec3 v) {
    transform.translate(v);
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
