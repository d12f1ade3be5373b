#pragma once

// physics/: collision boxes and the gravity and collision passes. May include: objects, core.

#include <cstdint>
#include <glm/glm.hpp>
#include <vector>

#include "physics/BroadPhase.h"

class Collider;
namespace Geo {
class GeoObjPhysics;
}

// The ordered list of every physical object, in construction order, and the passes over it that
// each simulation step runs. Boxes never rotate. The collision pass is the pair loop: every pair
// in list order, later pairs seeing the effects of earlier ones; a grid finds the pairs that can
// overlap, with the same results as visiting them all, which collideAllPairs still does.
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
    // The same for all of them in one pass over the rest, for a scene that goes as a whole: one at
    // a time, each would walk every other object.
    void remove(const std::vector<Geo::GeoObjPhysics*>& leaving);
    const std::vector<Geo::GeoObjPhysics*>& getObjects() const { return objects; }

    // dt is the step's length in seconds.
    void applyGravity(float dt);
    void collideAll();
    // A step's work on the objects after gravity: every movable object's own update, then the
    // collision pass; with gravity, gravity first as well. Each object's gravity and update touch
    // that object alone, so taking them object by object gives what a pass of each gives, and the
    // grid's pass takes them in the walk over the objects it makes anyway.
    enum class Gravity { Applied, ApplyFirst };
    void updateAndCollide(float dt, Gravity gravity);
    // With gravity, gravity on an object that falls; then the object's own update, unless it is
    // static.
    static void stepObject(Geo::GeoObjPhysics& object, float dt, bool gravity);
    // The plain pair loop, the reference the grid's pass must match.
    void collideAllPairs();
    // How collideAll finds its pairs. Both ways give the same results to the bit, so by default
    // each step takes the one that costs less for its objects, awake and asleep.
    enum class PairFinding { Cheaper, Grid, AllPairs };
    void setPairFinding(PairFinding way) { pairFinding = way; }
    // Box tests made by the collision passes since the world began.
    std::uint64_t pairsTested() const { return broadPhase.pairsTested() + plainPairsTested; }
    // Zeroes every velocity and wakes every movable object; used when a rewind ends.
    void haltAll();
    // Wakes every movable object whose position lies within radius of centre and pushes it away
    // from there at up to speed, less the farther it lies. Returns how many it pushed.
    int blast(glm::vec3 centre, float radius, float speed);

    // True when the pair was resolved; woken, when given, gets every object the pair woke.
    static bool collidePair(Geo::GeoObjPhysics& a, Geo::GeoObjPhysics& b,
                            std::vector<Geo::GeoObjPhysics*>* woken = nullptr);
    // Touching boxes overlap.
    static bool overlaps(const Collider& a, const Collider& b);

private:
    static void applyGravityTo(Geo::GeoObjPhysics& object, float dt);
    // a must not be static: a static object is always given second.
    static void resolve(Geo::GeoObjPhysics& a, Geo::GeoObjPhysics& b,
                        std::vector<Geo::GeoObjPhysics*>* woken);
    // The axis of strictly smallest overlap, pointing from a towards b; a tie leaves both as given.
    static void computeContact(const Geo::GeoObjPhysics& a, const Geo::GeoObjPhysics& b,
                               float& penetration, glm::vec3& normal);
    static void bounceOff(Geo::GeoObjPhysics& self, const Geo::GeoObjPhysics& other,
                          glm::vec3 normal);
    static void trySettle(Geo::GeoObjPhysics& self, Geo::GeoObjPhysics& other);
    static void wakeIfStruck(Geo::GeoObjPhysics& self, const Geo::GeoObjPhysics& other,
                             std::vector<Geo::GeoObjPhysics*>* woken);

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
    bool gridIsCheaper() const;
    bool useGrid() const;

    BroadPhase broadPhase;
    PairFinding pairFinding = PairFinding::Cheaper;
    std::uint64_t plainPairsTested = 0;
};
