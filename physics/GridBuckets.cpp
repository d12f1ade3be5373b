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
    if (b.count < kInline) {
        b.items[b.count] = index;
    } else {
        spilled[at].push_back(index);
    }
    ++b.count;
}

void GridBuckets::remove(const glm::ivec3& cell, std::uint32_t index) {
    const std::uint32_t at = bucketOf(cell);
    Bucket& b = buckets[at];
    KELVARIN_ASSERT(b.count > 0);
    // The last index fills the place of the one removed.
    std::uint32_t last;
    if (b.count > kInline) {
        last = spilled[at].back();
        spilled[at].pop_back();
    } else {
        last = b.items[b.count - 1];
    }
    --b.count;
    if (last == index) return;
    const std::uint32_t kept = std::min(b.count, kInline);
    for (std::uint32_t i = 0; i < kept; ++i) {
        if (b.items[i] == index) {
            b.items[i] = last;
            return;
        }
    }
    const auto found = std::find(spilled[at].begin(), spilled[at].end(), index);
    KELVARIN_ASSERT(found != spilled[at].end());
    *found = last;
}
