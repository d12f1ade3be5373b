#include "scene/Hand.h"

#include "core/Assert.h"
#include "objects/GeoObjPhysics.h"
#include "physics/PhysicsWorld.h"
#include "physics/RayCast.h"

void Hand::follow(bool held, glm::vec3 eye, glm::vec3 look, float dt) {
    KELVARIN_ASSERT(dt > 0.0f);
    if (!held) {
        // Let go, the brick keeps the velocity it was carried with: a flick of the view throws it.
        holding = nullptr;
        return;
    }
    const std::vector<Geo::GeoObjPhysics*>& objects = PhysicsWorld::instance()->getObjects();
    if (holding && !holding->collider.isEnabled()) holding = nullptr;
    if (!holding) {
        const RayCast::Hit hit = RayCast::nearest(objects, eye, look, true);
        if (!hit.object || hit.distance > kReach) return;
        holding = hit.object;
        distance = glm::length(hit.object->getPosition() - eye);
    }
    // Moved by its velocity, the brick meets what lies in its way through the collision pass,
    // as any brick does.
    holding->wakeUp();
    holding->velocity = (eye + look * distance - holding->getPosition()) / dt;
}

int Hand::blast(glm::vec3 eye, glm::vec3 look) {
    const RayCast::Hit hit =
        RayCast::nearest(PhysicsWorld::instance()->getObjects(), eye, look, false);
    if (!hit.object) return 0;
    return PhysicsWorld::instance()->blast(hit.point, kBlastRadius, kBlastSpeed);
}
