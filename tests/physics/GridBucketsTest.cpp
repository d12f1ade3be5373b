#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "physics/GridBuckets.h"

namespace {

// From the largest down, as the bucket gives them.
std::vector<std::uint32_t> inCell(const GridBuckets& grid, const glm::ivec3& cell,
                                  std::uint32_t from = 0) {
    std::vector<std::uint32_t> found;
    grid.forEachFrom(cell, from, [&](std::uint32_t index) { found.push_back(index); });
    return found;
}

}  // namespace

// A crowded cell spills past its bucket's own places; added in any order and whatever order they
// leave in, the rest are given from the largest down to the first asked for.
TEST(GridBuckets, ACrowdedCellGivesEveryIndexAddedAndNotRemovedInOrder) {
    const struct {
        std::vector<std::uint32_t> removed;
        std::uint32_t from;
    } rows[] = {{{}, 0},
                {{0}, 0},
                {{19}, 5},
                {{3, 12, 7}, 0},
                {{19, 18, 17, 16, 15, 14, 13, 12, 11, 10, 9, 8}, 2},
                {{8, 0, 1, 2}, 9},
                {{}, 20}};
    for (const auto& row : rows) {
        GridBuckets grid;
        grid.reset({0, 0, 0}, {3, 3, 3}, 20);
        // 7 and 20 share no factor: every index once, out of order.
        for (std::uint32_t i = 0; i < 20; ++i) grid.add({1, 2, 3}, i * 7 % 20);
        for (const std::uint32_t i : row.removed) grid.remove({1, 2, 3}, i);
        std::vector<std::uint32_t> expected;
        for (std::uint32_t i = 20; i-- > row.from;) {
            if (std::find(row.removed.begin(), row.removed.end(), i) == row.removed.end())
                expected.push_back(i);
        }
        EXPECT_EQ(inCell(grid, {1, 2, 3}, row.from), expected)
            << row.removed.size() << " removed, from " << row.from;
        EXPECT_TRUE(inCell(grid, {1, 2, 2}).empty());
    }
}

// Cells beyond the bounds given share buckets with cells inside: an index is found in its own.
TEST(GridBuckets, CellsBeyondTheBoundsStillFindTheirIndices) {
    GridBuckets grid;
    grid.reset({0, 0, 0}, {1, 1, 1}, 1);
    grid.add({-1000, 5, 1 << 20}, 7);
    const std::vector<std::uint32_t> seven = {7};
    EXPECT_EQ(inCell(grid, {-1000, 5, 1 << 20}), seven);
}
