#pragma once

// Object indices by grid cell, in buckets laid out as the cells are, so that the cells of one box
// share cache lines.

#include <cstdint>
#include <glm/glm.hpp>
#include <vector>

class GridBuckets {
public:
    // Buckets for about `objects` objects over the cells from lo to hi; beyond them, and where the
    // cells are more than the buckets, cells wrap around and share buckets, which only adds
    // indices that a box test then drops.
    void reset(const glm::ivec3& lo, const glm::ivec3& hi, std::size_t objects);
    void add(const glm::ivec3& cell, std::uint32_t index);
    // index must be in the cell's bucket.
    void remove(const glm::ivec3& cell, std::uint32_t index);

    // Calls visit(index) for every index in the cell's bucket, in no set order.
    template <class Visit>
    void forEach(const glm::ivec3& cell, Visit&& visit) const {
        const std::uint32_t at = bucketOf(cell);
        const Bucket& b = buckets[at];
        const std::uint32_t kept = b.count < kInline ? b.count : kInline;
        for (std::uint32_t i = 0; i < kept; ++i) visit(b.items[i]);
        if (b.count > kInline)
            for (const std::uint32_t index : spilled[at]) visit(index);
    }

private:
    // Seven indices and the count fill 32 bytes: most cells hold fewer objects.
    static constexpr std::uint32_t kInline = 7;
    struct Bucket {
        std::uint32_t count = 0;
        std::uint32_t items[kInline] = {};
    };

    std::uint32_t bucketOf(const glm::ivec3& cell) const {
        const glm::uvec3 c = glm::uvec3(cell) & mask;
        return c.x | (c.y << shiftY) | (c.z << shiftZ);
    }

    std::vector<Bucket> buckets;
    // A bucket's indices beyond its first kInline, by bucket.
    std::vector<std::vector<std::uint32_t>> spilled;
    glm::uvec3 mask{0};
    std::uint32_t shiftY = 0;
    std::uint32_t shiftZ = 0;
};
