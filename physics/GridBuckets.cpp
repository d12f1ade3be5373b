#include "physics/GridBuckets.h"

#include <algorithm>

#include "core/Assert.h"

namespace {

// Buckets per object, at least: the cells of a scene's bounds are mostly empty, and fewer buckets
// would fold distant cells onto the occupied ones.
constexpr std::size_t kBucketsPerObject = 8;
constexpr std::uint32_t kFewestBucketBits = 6;

std::uint32_t bitsFor(std::int64_t cells) {
    std::uint32_t bits = 0;
    while ((std::int64_t{1} << bits) < cells) ++bits;
    return bits;
}

}  // namespace

void GridBuckets::reset(const glm::ivec3& lo, const glm::ivec3& hi, std::size_t objects) {
    std::uint32_t budget = kFewestBucketBits;
    while ((std::size_t{1} << budget) < kBucketsPerObject * objects) ++budget;
    std::uint32_t bits[3];
    for (int a = 0; a < 3; ++a) bits[a] = bitsFor(std::int64_t{hi[a]} - lo[a] + 1);
    // Fold the longest axis first: it has the most cells to spare.
    while (bits[0] + bits[1] + bits[2] > budget) --*std::max_element(bits, bits + 3);
    mask = glm::uvec3((1u << bits[0]) - 1, (1u << bits[1]) - 1, (1u << bits[2]) - 1);
    shiftY = bits[0];
    shiftZ = bits[0] + bits[1];
    const std::size_t count = std::size_t{1} << (bits[0] + bits[1] + bits[2]);
    buckets.assign(count, Bucket{});
    spilled.assign(count, {});
}

void GridBuckets::add(const glm::ivec3& cell, std::uint32_t index) {
    const std::uint32_t at = bucketOf(cell);
    Bucket& b = buckets[at];
    std::vector<std::uint32_t>& more = spilled[at];
    if (b.count >= kInline) more.push_back(0);
    // The larger indices move up a place to make room.
    std::uint32_t p = b.count++;
    for (; p > 0 && slot(b, more, p - 1) > index; --p) slot(b, more, p) = slot(b, more, p - 1);
    slot(b, more, p) = index;
}

void GridBuckets::remove(const glm::ivec3& cell, std::uint32_t index) {
    const std::uint32_t at = bucketOf(cell);
    Bucket& b = buckets[at];
    std::vector<std::uint32_t>& more = spilled[at];
    std::uint32_t p = 0;
    while (p < b.count && slot(b, more, p) != index) ++p;
    KELVARIN_ASSERT(p < b.count);
    // The larger indices move down a place over it.
    for (; p + 1 < b.count; ++p) slot(b, more, p) = slot(b, more, p + 1);
    if (b.count-- > kInline) more.pop_back();
}

void GridBuckets::move(const glm::ivec3& lo, const glm::ivec3& hi, const glm::ivec3& newLo,
                       const glm::ivec3& newHi, std::uint32_t index) {
    const auto within = [](const glm::ivec3& cell, const glm::ivec3& first,
                           const glm::ivec3& last) {
        return glm::all(glm::greaterThanEqual(cell, first)) &&
               glm::all(glm::lessThanEqual(cell, last));
    };
    // Left before entered, so that a bucket two of the cells share never holds more than needed.
    for (int z = lo.z; z <= hi.z; ++z)
        for (int y = lo.y; y <= hi.y; ++y)
            for (int x = lo.x; x <= hi.x; ++x)
                if (!within({x, y, z}, newLo, newHi)) remove({x, y, z}, index);
    for (int z = newLo.z; z <= newHi.z; ++z)
        for (int y = newLo.y; y <= newHi.y; ++y)
            for (int x = newLo.x; x <= newHi.x; ++x)
                if (!within({x, y, z}, lo, hi)) add({x, y, z}, index);
}
