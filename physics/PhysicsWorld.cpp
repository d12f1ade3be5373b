#include "physics/PhysicsWorld.h"

#include <algorithm>

#include "core/Assert.h"
#include "objects/GeoObjPhysics.h"

using Geo::GeoObjPhysics;

namespace {

bool isMoving(const glm::vec3& v) {
    return v != glm::vec3(0.0f);
}

// The one-dimensional elastic exchange applied to whole vectors. Two objects of mass 0 have no
// defined exchange; each then keeps its velocity.
glm::vec3 exchangedVelocity(const glm::vec3& own, float ownMass, const glm::vec3& other,
                            float otherMass) {
    const float total = ownMass + otherMass;
    if (total == 0.0f) return own;
    return (own * (ownMass - otherMass) + other * (2.0f * otherMass)) / total;
}

}  // namespace

PhysicsWorld* PhysicsWorld::instance() {
    static PhysicsWorld* world = new PhysicsWorld();
    return world;
}

void PhysicsWorld::add(GeoObjPhysics* object) {
    objects.push_back(object);
}

void PhysicsWorld::remove(GeoObjPhysics* object) {
    remove(std::vector<GeoObjPhysics*>{object});
}

void PhysicsWorld::remove(const std::vector<GeoObjPhysics*>& leaving) {
    std::vector<GeoObjPhysics*> sorted = leaving;
    std::sort(sorted.begin(), sorted.end());
    const auto isLeaving = [&](GeoObjPhysics* object) {
        return std::binary_search(sorted.begin(), sorted.end(), object);
    };
    objects.erase(std::remove_if(objects.begin(), objects.end(), isLeaving), objects.end());
    for (GeoObjPhysics* other : objects) {
        std::vector<GeoObjPhysics*>& sleepers = other->sleepers;
        sleepers.erase(std::remove_if(sleepers.begin(), sleepers.end(), isLeaving), sleepers.end());
    }
}

void PhysicsWorld::applyGravity(float dt) {
    for (GeoObjPhysics* object : objects) {
        if (object->gravity) applyGravityTo(*object, dt);
    }
}

void PhysicsWorld::applyGravityTo(GeoObjPhysics& object, float dt) {
    object.velocity += kGravity * dt;
    // Once per step, not scaled by the step's length.
    object.velocity *= 1.0f - kAirDamping;
}

inline PhysicsWorld::Bounds PhysicsWorld::boundsOf(const Collider& collider) {
    return {collider.worldMin(), collider.worldMax()};
}

// Touching boxes overlap. Written out per axis: this runs for every pair of every step.
inline bool PhysicsWorld::boxesOverlap(const Bounds& a, const Bounds& b) {
    return !(a.max.x < b.min.x || b.max.x < a.min.x || a.max.y < b.min.y || b.max.y < a.min.y ||
             a.max.z < b.min.z || b.max.z < a.min.z);
}

void PhysicsWorld::collideAll() {
    if (useGrid()) {
        broadPhase.collide(objects);
    } else {
        collideAllPairs();
    }
}

void PhysicsWorld::updateAndCollide(float dt, Gravity gravity) {
    const bool applyGravity = gravity == Gravity::ApplyFirst;
    if (useGrid()) {
        broadPhase.updateAndCollide(objects, dt, applyGravity);
        return;
    }
    for (GeoObjPhysics* object : objects) stepObject(*object, dt, applyGravity);
    collideAllPairs();
}

void PhysicsWorld::stepObject(GeoObjPhysics& object, float dt, bool gravity) {
    if (gravity && object.gravity) applyGravityTo(object, dt);
    if (!object.isStatic) object.update(dt);
}

bool PhysicsWorld::useGrid() const {
    return pairFinding == PairFinding::Grid ||
           (pairFinding == PairFinding::Cheaper && gridIsCheaper());
}

bool PhysicsWorld::gridIsCheaper() const {
    // Measured costs, in box tests of the pair loop: the grid's pass pays for every awake row's
    // search and a little for every object, the pair loop for every pair.
    constexpr double kAwakeRowCost = 500.0;
    constexpr double kObjectCost = 40.0;
    const double n = static_cast<double>(objects.size());
    // A large world is not walked to count its awake objects when the grid wins even with all
    // awake.
    if ((kAwakeRowCost + kObjectCost) * n < n * (n - 1.0) / 2.0) return true;
    double awake = 0.0;
    // A fixed wall's row is a plain scan of the few objects after it.
    for (const GeoObjPhysics* object : objects)
        awake += object->asleep || object->isStatic ? 0.0 : 1.0;
    return kAwakeRowCost * awake + kObjectCost * n < n * (n - 1.0) / 2.0;
}

void PhysicsWorld::collideAllPairs() {
    const std::size_t n = objects.size();
    plainPairsTested += n * (n - 1) / 2;
    bounds.resize(n);
    for (std::size_t i = 0; i < n; ++i) bounds[i] = boundsOf(objects[i]->collider);
    for (std::size_t i = 0; i + 1 < n; ++i) {
        Bounds first = bounds[i];
        for (std::size_t j = i + 1; j < n; ++j) {
            // A pair whose boxes are apart has no effect at all, so skipping it keeps every
            // result; only a pair's own two objects can move while it is handled.
            if (!boxesOverlap(first, bounds[j])) continue;
            if (!collidePair(*objects[i], *objects[j])) continue;
            first = bounds[i] = boundsOf(objects[i]->collider);
            bounds[j] = boundsOf(objects[j]->collider);
        }
    }
}

void PhysicsWorld::haltAll() {
    for (GeoObjPhysics* object : objects) {
        object->velocity = glm::vec3(0.0f);
        if (object->mass != 0.0f && !object->isStatic) object->wakeUp();
    }
}

int PhysicsWorld::blast(glm::vec3 centre, float radius, float speed) {
    KELVARIN_ASSERT(radius > 0.0f);
    int pushed = 0;
    for (GeoObjPhysics* object : objects) {
        if (object->isStatic || object->mass == 0.0f || !object->collider.isEnabled()) continue;
        const glm::vec3 away = object->getPosition() - centre;
        const float distance = glm::length(away);
        if (distance > radius) continue;
        // Straight up from the very centre, where there is no away.
        const glm::vec3 direction = distance > 0.0f ? away / distance : glm::vec3(0.0f, 1.0f, 0.0f);
        object->wakeUp();
        object->velocity += direction * (speed * (1.0f - distance / radius));
        ++pushed;
    }
    return pushed;
}

bool PhysicsWorld::collidePair(GeoObjPhysics& a, GeoObjPhysics& b,
                               std::vector<GeoObjPhysics*>* woken) {
    // Cheap exits first: most of the pairs end here.
    if ((a.isStatic && b.isStatic) || (a.asleep && b.asleep)) return false;
    if (!a.collider.isEnabled() || !b.collider.isEnabled()) return false;
    if (isMoving(a.velocity) && isMoving(b.velocity)) {
        const float approach = glm::dot(b.getPosition() - a.getPosition(), a.velocity - b.velocity);
        if (approach < 0.0f) return false;
    }
    if (!overlaps(a.collider, b.collider)) return false;
    if (a.isStatic) {
        resolve(b, a, woken);
    } else {
        resolve(a, b, woken);
    }
    a.onCollision();
    b.onCollision();
    return true;
}

bool PhysicsWorld::overlaps(const Collider& a, const Collider& b) {
    return boxesOverlap(boundsOf(a), boundsOf(b));
}

void PhysicsWorld::resolve(GeoObjPhysics& a, GeoObjPhysics& b, std::vector<GeoObjPhysics*>* woken) {
    KELVARIN_ASSERT(!a.isStatic);
    wakeIfStruck(a, b, woken);
    wakeIfStruck(b, a, woken);
    trySettle(a, b);
    trySettle(b, a);

    glm::vec3 newA(0.0f);
    glm::vec3 newB(0.0f);
    if (!a.asleep) newA = exchangedVelocity(a.velocity, a.mass, b.velocity, b.mass);
    if (!b.isStatic && !b.asleep) newB = exchangedVelocity(b.velocity, b.mass, a.velocity, a.mass);

    float penetration = 0.0f;
    glm::vec3 normal(0.0f);
    computeContact(a, b, penetration, normal);

    const float invA = a.inverseMass();
    const float invB = b.inverseMass();
    const float invSum = invA + invB;
    const glm::vec3 correction = invSum == 0.0f
                                     ? glm::vec3(0.0f)
                                     : normal * (std::max(penetration - kPenetrationSlop, 0.0f) /
                                                 invSum * kCorrectionPercent);

    if (a.asleep || b.asleep) {
        if (a.asleep && !b.isStatic) {
            b.translate(normal * penetration);
        } else {
            a.translate(-normal * penetration);
        }
    } else if (b.isStatic) {
        a.translate(-normal * penetration);
    } else {
        a.translate(-invA * correction);
        b.translate(invB * correction);
    }

    a.velocity = newA;
    if (!b.isStatic) b.velocity = newB;
    bounceOff(a, b, normal);
    bounceOff(b, a, normal);
    a.velocity *= 1.0f - kContactDamping;
    if (!b.isStatic) b.velocity *= 1.0f - kContactDamping;
}

void PhysicsWorld::computeContact(const GeoObjPhysics& a, const GeoObjPhysics& b,
                                  float& penetration, glm::vec3& normal) {
    // Object positions, not box centres.
    const glm::vec3 d = a.getPosition() - b.getPosition();
    const glm::vec3 o = a.collider.halfExtent() + b.collider.halfExtent() - glm::abs(d);
    if (o.y > o.x && o.z > o.x) {
        penetration = o.x;
        normal = glm::vec3(d.x > 0.0f ? -1.0f : 1.0f, 0.0f, 0.0f);
    }
    if (o.x > o.y && o.z > o.y) {
        penetration = o.y;
        normal = glm::vec3(0.0f, d.y > 0.0f ? -1.0f : 1.0f, 0.0f);
    }
    if (o.x > o.z && o.y > o.z) {
        penetration = o.z;
        normal = glm::vec3(0.0f, 0.0f, d.z > 0.0f ? -1.0f : 1.0f);
    }
}

void PhysicsWorld::bounceOff(GeoObjPhysics& self, const GeoObjPhysics& other, glm::vec3 normal) {
    if (other.mass == 0.0f || other.asleep) {
        self.velocity -= kBounceFactor * ((2.0f * normal) * (normal * self.velocity));
    }
}

void PhysicsWorld::trySettle(GeoObjPhysics& self, GeoObjPhysics& other) {
    if (self.atRest && !self.asleep && (other.asleep || other.mass == 0.0f)) {
        self.fallAsleep();
        // Only a movable support wakes what sleeps on it.
        if (!other.isStatic) other.sleepers.push_back(&self);
    }
}

void PhysicsWorld::wakeIfStruck(GeoObjPhysics& self, const GeoObjPhysics& other,
                                std::vector<GeoObjPhysics*>* woken) {
    if (self.asleep &&
        glm::dot(other.velocity, other.velocity) > kWakeSpeedFactor * kWakeSpeedScale) {
        self.wakeUp(woken);
    }
}
