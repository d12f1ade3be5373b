#include "objects/Bullet.h"

#include "input/Camera.h"
#include "render/Model.h"
#include "render/RenderContext.h"
#include "render/Texture.h"

namespace {

constexpr glm::vec3 kParkingPosition{0.0f, 0.0f, 0.0f};

}  // namespace

Bullet::Bullet(Model* model, Texture* texture) : GeoObjPhysics(model, texture) {
    reset();
    mass = kMass;
    GeoObjPhysics::setScale(glm::vec3(kScale));
}

void Bullet::onCollision() {
    reset();
}

void Bullet::reset() {
    setPosition(kParkingPosition);
    visible = false;
    collider.setEnabled(false);
    asleep = true;
}

void Bullet::fire() {
    const Camera* camera = RenderContext::instance()->getCamera();
    setPosition(camera->view.eyePosition());
    // Moves through translate in its own, scaled frame: it shows 0.15 of this speed on screen while
    // the collision response works with the full velocity.
    velocity = -camera->view.backAxis() * kLaunchSpeed;
    visible = true;
    collider.setEnabled(true);
    asleep = false;
}

Geo::PlasmaBullet::PlasmaBullet() : Bullet(&sphereModel, &bulletTexture) {}
