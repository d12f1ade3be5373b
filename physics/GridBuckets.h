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
    // The index, in the cells from lo to hi, moves to those from newLo to newHi: only the cells
    // it leaves and enters change.
    void move(const glm::ivec3& lo, const glm::ivec3& hi, const glm::ivec3& newLo,
              const glm::ivec3& newHi, std::uint32_t index);

    // Calls visit(index) for every index from `from` on in the cell's bucket, the largest first:
    // a bucket is kept sorted, so the smaller ones cost nothing.
    template <class Visit>
    void forEachFrom(const glm::ivec3& cell, std::uint32_t from, Visit&& visit) const {
        const std::uint32_t at = bucketOf(cell);
        const Bucket& b = buckets[at];
        if (b.count > kInline) {
            const std::vector<std::uint32_t>& more = spilled[at];
            for (auto k = more.rbegin(); k != more.rend(); ++k) {
                if (*k < from) return;
                visit(*k);
            }
        }
        for (std::uint32_t i = b.count < kInline ? b.count : kInline; i-- > 0;) {
            if (b.items[i] < from) return;
            visit(b.items[i]);
        }
    }

private:
    // Seven indices and the count fill 32 bytes: most cells hold fewer objects.
    static constexpr std::uint32_t kInline = 7;
    struct Bucket {
        std::uint32_t count = 0;
        std::uint32_t items[kInline] = {};
    };

    // The p-th index of a bucket, in order: its own places first, then the spilled ones.
    static std::uint32_t& slot(Bucket& b, std::vector<std::uint32_t>& more, std::uint32_t p) {
        return p < kInline ? b.items[p] : more[p - kInline];
    }
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
