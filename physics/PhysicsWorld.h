#pragma once

// physics/: collision boxes and the gravity and collision passes. May include: objects, core.

#include <glm/glm.hpp>
#include <vector>

class Collider;
namespace Geo {
class GeoObjPhysics;
}

// The ordered list of every physical object, in construction order, and the passes over it that
// each simulation step runs. Boxes never rotate and there is no spatial partitioning: every pair is
// tested every step, in list order, and later pairs see the effects of earlier ones.
class PhysicsWorld {
public:
    static constexpr glm::vec3 kGravity{0.0f, -9.8f, 0.0f};
    static constexpr float kAirDamping = 0.015f;
    static constexpr float kContactDamping = 0.05f;
    static constexpr float kPenetrationSlop = 0.01f;
    static constexpr float kCorrectionPercent = 1.0f;
    static constexpr float kBounceFactor = 0.75f;
    static constexpr float kWakeSpeedFactor = 20.0f;
    static constexpr float kWakeSpeedScale = 0.09f;

    static PhysicsWorld* instance();

    void add(Geo::GeoObjPhysics* object);
    // Takes the object out of the list and out of every other object's sleepers.
    void remove(Geo::GeoObjPhysics* object);
    const std::vector<Geo::GeoObjPhysics*>& getObjects() const { return objects; }

    // dt is the step's length in seconds.
    void applyGravity(float dt);
    void collideAll();
    // Zeroes every velocity and wakes every movable object; used when a rewind ends.
    void haltAll();

    // True when the pair was resolved.
    static bool collidePair(Geo::GeoObjPhysics& a, Geo::GeoObjPhysics& b);
    // Touching boxes overlap.
    static bool overlaps(const Collider& a, const Collider& b);

private:
    static void applyGravityTo(Geo::GeoObjPhysics& object, float dt);
    // a must not be static: a static object is always given second.
    static void resolve(Geo::GeoObjPhysics& a, Geo::GeoObjPhysics& b);
    // The axis of strictly smallest overlap, pointing from a towards b; a tie leaves both as given.
    static void computeContact(const Geo::GeoObjPhysics& a, const Geo::GeoObjPhysics& b,
                               float& penetration, glm::vec3& normal);
    static void bounceOff(Geo::GeoObjPhysics& self, const Geo::GeoObjPhysics& other,
                          glm::vec3 normal);
    static void trySettle(Geo::GeoObjPhysics& self, Geo::GeoObjPhysics& other);
    static void wakeIfStruck(Geo::GeoObjPhysics& self, const Geo::GeoObjPhysics& other);

    struct Bounds {
        glm::vec3 min;
        glm::vec3 max;
    };
    static Bounds boundsOf(const Collider& collider);
    static bool boxesOverlap(const Bounds& a, const Bounds& b);

    std::vector<Geo::GeoObjPhysics*> objects;
    // The world boxes at the start of the collision pass, kept in one block so most pairs are
    // rejected without touching the objects; refreshed for the two objects of every tested pair.
    std::vector<Bounds> bounds;
};
