#include "objects/Wall.h"

#include "render/Model.h"
#include "render/Texture.h"

namespace Geo {

Wall::Wall() : GeoObjPhysics(&cubeModel, &wallTexture) {
    makeStatic();
}

Wall::Wall(Texture* texture) : GeoObjPhysics(&cubeModel, texture) {
    makeStatic();
}

void Wall::makeStatic() {
    setGravity(false);
    setStatic(true);
    setMass(0.0f);
}

}  // namespace Geo
