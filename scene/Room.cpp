#include "scene/Room.h"

#include <iterator>

#include "render/Texture.h"

Room::Room(float halfSize) : sky(&skyTexture), floor(&floorTexture) {
    const float h = halfSize;
    Geo::Wall* const walls[] = {&wallPlusX, &wallMinusX, &wallPlusZ, &wallMinusZ, &sky, &floor};
    const glm::vec3 positions[] = {{2 * h, 0, 0},  {-2 * h, 0, 0}, {0, 0, 2 * h},
                                   {0, 0, -2 * h}, {0, 2 * h, 0},  {0, -2 * h, 0}};
    for (Geo::Wall* wall : walls) wall->setScale(glm::vec3(h));
    for (std::size_t i = 0; i < std::size(walls); ++i) walls[i]->setPosition(positions[i]);
    for (Geo::Wall* wall : walls) add(wall);
}

void Room::add(Geo::GeoObjTextured* member) {
    members.push_back(member);
}

void Room::draw() {
    for (Geo::GeoObjTextured* member : members) member->draw();
}

void Room::releaseGL() {
    for (Geo::GeoObjTextured* member : members) member->releaseGL();
}
