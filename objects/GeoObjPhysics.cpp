#include "objects/GeoObjPhysics.h"

#include <cmath>

#include "physics/PhysicsWorld.h"
#include "render/Model.h"

namespace Geo {

GeoObjPhysics::GeoObjPhysics(Model* model, Texture* texture) : GeoObjTextured(model, texture) {
    GeoObjPhysics::setPosition(glm::vec3(0.0f));
    PhysicsWorld::instance()->add(this);
    collider.initFromModel(model->indexedVertices);
}

GeoObjPhysics::~GeoObjPhysics() {
    PhysicsWorld::instance()->remove(this);
}

void GeoObjPhysics::setPosition(glm::vec3 p) {
    IMatrices::setPosition(p);
    collider.setPosition(p);
}

void GeoObjPhysics::translate(glm::vec3 v) {
    IMatrices::translate(v);
    collider.translate(v);
}

void GeoObjPhysics::setScale(glm::vec3 s) {
    IMatrices::setScale(s);
    collider.setScale(s);
}

void GeoObjPhysics::scale(glm::vec3 s) {
    IMatrices::scale(s);
    collider.scale(s);
}

void GeoObjPhysics::onCollision() {}

void GeoObjPhysics::update(float dt) {
    if (asleep) return;
    clampVelocity();
    detectRest();
    advance(dt);
}

void GeoObjPhysics::clampVelocity() {
    for (int axis = 0; axis < 3; ++axis) {
        if (velocity[axis] < -kSpeedLimit) velocity[axis] = -kSpeedLimit;
    }
    for (int axis = 0; axis < 3; ++axis) {
        if (velocity[axis] > kSpeedLimit) velocity[axis] = kSpeedLimit;
    }
    for (int axis = 0; axis < 3; ++axis) {
        const float v = velocity[axis];
        if (v != 0.0f && v > -kSnapThreshold && v < kSnapThreshold) velocity[axis] = 0.0f;
    }
}

void GeoObjPhysics::detectRest() {
    // Measures change of the distance from the origin, not speed: cheap, and good enough for
    // objects that settle on the floor.
    const glm::vec3 p = getPosition();
    const float d = glm::dot(p, p);
    smoothedDistSq = kSmoothingWeight * smoothedDistSq + (1.0f - kSmoothingWeight) * d;
    if (std::fabs(smoothedDistSq - d) < kStillnessTolerance) {
        ++restFrames;
        if (restFrames >= kStepsToRest) atRest = true;
    } else {
        atRest = false;
        restFrames = 0;
    }
}

void GeoObjPhysics::advance(float dt) {
    translate(velocity * dt);
}

float GeoObjPhysics::inverseMass() const {
    return mass != 0.0f ? 1.0f / mass : 0.0f;
}

void GeoObjPhysics::fallAsleep() {
    asleep = true;
    atRest = false;
    gravity = false;
    velocity = glm::vec3(0.0f);
}

void GeoObjPhysics::wakeUp(std::vector<GeoObjPhysics*>* woken) {
    if (woken != nullptr && asleep) woken->push_back(this);
    asleep = false;
    gravity = true;
    restFrames = 0;
    // Each entry leaves the list before it is woken, so a support that is itself reached again
    // through the chain finds nothing left to wake.
    while (!sleepers.empty()) {
        GeoObjPhysics* sleeper = sleepers.front();
        sleepers.erase(sleepers.begin());
        sleeper->wakeUp(woken);
    }
}

}  // namespace Geo
