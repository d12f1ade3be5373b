#include "rewind/LastPos.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/Assert.h"

namespace Rewind {
namespace {

constexpr float kFinestUnitsPerWorldUnit = 1000.0f;
constexpr float kLowest = std::numeric_limits<std::int16_t>::min();
constexpr float kHighest = std::numeric_limits<std::int16_t>::max();

float unitsPerWorldUnit = kFinestUnitsPerWorldUnit;

}  // namespace

void LastPos::fitRoom(float halfSize) {
    KELVARIN_ASSERT(halfSize > 0.0f);
    unitsPerWorldUnit = std::min(kFinestUnitsPerWorldUnit, std::floor(kHighest / halfSize));
}

LastPos::LastPos(float px, float py, float pz) : x(encode(px)), y(encode(py)), z(encode(pz)) {}

std::int16_t LastPos::encode(float coordinate) {
    const float scaled = coordinate * unitsPerWorldUnit;
    if (std::isnan(scaled)) return 0;
    if (scaled <= kLowest) return std::numeric_limits<std::int16_t>::min();
    if (scaled >= kHighest) return std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(static_cast<std::int32_t>(scaled));
}

float LastPos::decode(std::int16_t stored) {
    return static_cast<float>(stored) / unitsPerWorldUnit;
}

glm::vec3 LastPos::toVec3() const {
    return glm::vec3(decode(x), decode(y), decode(z));
}

}  // namespace Rewind
