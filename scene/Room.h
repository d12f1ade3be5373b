#pragma once

#include <vector>

#include "objects/Wall.h"

// The six static walls enclosing the play area. Each is the cube model scaled by the half size h
// and set 2h from the origin, so its inner face lies at distance h.
class Room {
public:
    explicit Room(float halfSize);

    void add(Geo::GeoObjTextured* member);
    void draw();
    void releaseGL();

    std::vector<Geo::GeoObjTextured*> members;
    Geo::Wall wallPlusX;
    Geo::Wall wallMinusX;
    Geo::Wall wallPlusZ;
    Geo::Wall wallMinusZ;
    Geo::Wall sky;
    Geo::Wall floor;
};
