#pragma once

#include "objects/GeoObjPhysics.h"

namespace Geo {

// An immovable block of the room: no gravity, static, mass 0, never updated.
class Wall : public GeoObjPhysics {
public:
    Wall();
    explicit Wall(Texture* texture);

    void makeStatic();
};

}  // namespace Geo
