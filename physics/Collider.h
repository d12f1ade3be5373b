#pragma once

#include <glm/glm.hpp>
#include <vector>

#include "core/IMatrices.h"

// An axis-aligned box that follows its object's transform. The corners are relative to the box's
// own origin; the translation column of the transform places it, its diagonal scales it.
class Collider {
public:
    // The bounds of the finite positions; a model without any leaves the box empty (a point) at
    // the object's origin.
    void initFromModel(const std::vector<glm::vec3>& positions);
    void setPosition(glm::vec3 p);
    void translate(glm::vec3 v) { transform.translate(v); }
    // Rescales the corners by the ratio of the new scale to the old.
    void setScale(glm::vec3 s);
    void scale(glm::vec3 v);

    glm::vec3 getPosition() const { return transform.getPosition(); }
    glm::vec3 worldMin() const { return min + getPosition(); }
    glm::vec3 worldMax() const { return max + getPosition(); }
    glm::vec3 halfExtent() const { return (max - min) * 0.5f; }
    bool isEnabled() const { return enabled; }
    void setEnabled(bool e) { enabled = e; }

    glm::vec3 min{0.0f};
    glm::vec3 max{0.0f};
    bool enabled = true;
    Geo::Data::IMatrices transform;
};
