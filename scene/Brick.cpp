#include "scene/Brick.h"

#include "render/Model.h"
#include "render/Texture.h"

namespace Geo {

Brick::Brick() : GeoObjPhysics(&brickModel, &brickTexture), Rewind::Rewindable() {
    setOwner(this);
}

}  // namespace Geo
