#pragma once

#include "objects/GeoObjPhysics.h"
#include "rewind/Rewindable.h"

namespace Geo {

// A movable brick whose positions are recorded for rewinding; it owns its own history.
class Brick : public GeoObjPhysics, public Rewind::Rewindable {
public:
    Brick();
};

}  // namespace Geo
