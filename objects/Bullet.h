#pragma once

#include "objects/GeoObjPhysics.h"

// A light projectile launched from the eye along the view direction. It is parked (hidden, without
// collisions, asleep, at the origin) until fired, and parked again by its first collision.
class Bullet : public Geo::GeoObjPhysics {
public:
    static constexpr float kMass = 0.025f;
    static constexpr float kScale = 0.15f;
    static constexpr float kLaunchSpeed = 400.0f;

    Bullet(Model* model, Texture* texture);

    void onCollision() override;
    void reset();
    // Re-launches from the eye whatever the bullet is doing: there is only ever one.
    void fire();
};

namespace Geo {

// The game's bullet: a small glowing sphere.
class PlasmaBullet : public Bullet {
public:
    PlasmaBullet();
};

}  // namespace Geo
