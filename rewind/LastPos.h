#pragma once

#include <cstdint>
#include <glm/glm.hpp>

namespace Rewind {

// One recorded position in thousandths of a world unit, truncated toward zero. Coordinates beyond
// -32.768 .. 32.767 are clamped to that range rather than wrapped to the other side of the room.
// A room larger than that is recorded in coarser steps, so that all of it is in range.
struct LastPos {
    LastPos() = default;
    LastPos(float px, float py, float pz);

    // The steps for a room reaching halfSize from its centre on every axis: thousandths as long
    // as they hold it. Positions recorded before are read back in the steps they were taken in
    // only until then: a room is fitted before its history starts.
    static void fitRoom(float halfSize);

    static std::int16_t encode(float coordinate);
    static float decode(std::int16_t stored);
    glm::vec3 toVec3() const;

    std::int16_t x = 0;
    std::int16_t y = 0;
    std::int16_t z = 0;
};

}  // namespace Rewind
