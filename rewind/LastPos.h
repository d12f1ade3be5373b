#pragma once

#include <cstdint>
#include <glm/glm.hpp>

namespace Rewind {

// One recorded position in thousandths of a world unit, truncated toward zero. Coordinates beyond
// -32.768 .. 32.767 are clamped to that range rather than wrapped to the other side of the room.
struct LastPos {
    LastPos() = default;
    LastPos(float px, float py, float pz);

    static std::int16_t encode(float coordinate);
    static float decode(std::int16_t stored);
    glm::vec3 toVec3() const;

    std::int16_t x = 0;
    std::int16_t y = 0;
    std::int16_t z = 0;
};

}  // namespace Rewind
