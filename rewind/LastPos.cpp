#include "rewind/LastPos.h"

#include <cmath>
#include <limits>

namespace Rewind {
namespace {

constexpr float kUnitsPerWorldUnit = 1000.0f;
constexpr float kLowest = std::numeric_limits<std::int16_t>::min();
constexpr float kHighest = std::numeric_limits<std::int16_t>::max();

}  // namespace

LastPos::LastPos(float px, float py, float pz) : x(encode(px)), y(encode(py)), z(encode(pz)) {}

std::int16_t LastPos::encode(float coordinate) {
    const float scaled = coordinate * kUnitsPerWorldUnit;
    if (std::isnan(scaled)) return 0;
    if (scaled <= kLowest) return std::numeric_limits<std::int16_t>::min();
    if (scaled >= kHighest) return std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(static_cast<std::int32_t>(scaled));
}

float LastPos::decode(std::int16_t stored) {
    return static_cast<float>(stored) / kUnitsPerWorldUnit;
}

glm::vec3 LastPos::toVec3() const {
    return glm::vec3(decode(x), decode(y), decode(z));
}

}  // namespace Rewind
