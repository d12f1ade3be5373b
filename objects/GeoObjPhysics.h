#pragma once

#include <vector>

#include "objects/GeoObjTextured.h"
#include "physics/Collider.h"

namespace Geo {

// A textured object that moves: velocity, mass, a collider that follows every transform, and a
// sleep scheme in which an object at rest on something fixed stops being simulated until struck.
// Registers itself with the PhysicsWorld on construction and removes itself on destruction.
class GeoObjPhysics : public GeoObjTextured {
public:
    static constexpr float kSpeedLimit = 500.0f;
    static constexpr float kSnapThreshold = 0.005f;
    static constexpr float kSmoothingWeight = 0.94f;
    static constexpr float kStillnessTolerance = 0.09f;
    // Steps in a row found still before an object counts as at rest.
    static constexpr int kStepsToRest = 4;

    GeoObjPhysics(Model* model, Texture* texture);
    ~GeoObjPhysics() override;

    void setPosition(glm::vec3 p) override;
    void translate(glm::vec3 v) override;
    void setScale(glm::vec3 s) override;
    void scale(glm::vec3 s) override;
    virtual void onCollision();

    // One simulation step of dt seconds: clamp, rest detection, then movement by velocity.
    void update(float dt);
    void clampVelocity();
    void detectRest();
    void advance(float dt);

    float inverseMass() const;
    void fallAsleep();
    // Wakes this object and, depth first, everything that fell asleep resting on it; woken, when
    // given, gets each of them that was asleep.
    void wakeUp(std::vector<GeoObjPhysics*>* woken = nullptr);

    void setStatic(bool s) { isStatic = s; }
    void setMass(float m) { mass = m; }
    void setGravity(bool g) { gravity = g; }

    // The flags before the box: every step walks all objects for both, and so they share a cache
    // line with the box's corners.
    glm::vec3 velocity{0.0f};
    float mass = 1.0f;
    bool isStatic = false;
    bool gravity = true;
    bool asleep = false;
    bool atRest = false;
    int restFrames = 0;
    float smoothedDistSq = 0.0f;
    Collider collider;
    std::vector<GeoObjPhysics*> sleepers;
};

}  // namespace Geo
