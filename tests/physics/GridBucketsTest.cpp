#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "physics/GridBuckets.h"

namespace {

std::vector<std::uint32_t> inCell(const GridBuckets& grid, const glm::ivec3& cell) {
    std::vector<std::uint32_t> found;
    grid.forEach(cell, [&](std::uint32_t index) { found.push_back(index); });
    std::sort(found.begin(), found.end());
    return found;
}

}  // namespace

// A crowded cell spills past its bucket's own places; whatever order they leave in, the rest stay.
TEST(GridBuckets, ACrowdedCellKeepsEveryIndexAddedAndNotRemoved) {
    const std::vector<std::vector<std::uint32_t>> removals = {
        {}, {0}, {19}, {3, 12, 7}, {19, 18, 17, 16, 15, 14, 13, 12, 11, 10, 9, 8}, {8, 0, 1, 2}};
    for (const auto& removed : removals) {
        GridBuckets grid;
        grid.reset({0, 0, 0}, {3, 3, 3}, 20);
        for (std::uint32_t i = 0; i < 20; ++i) grid.add({1, 2, 3}, i);
        for (const std::uint32_t i : removed) grid.remove({1, 2, 3}, i);
        std::vector<std::uint32_t> expected;
        for (std::uint32_t i = 0; i < 20; ++i) {
            if (std::find(removed.begin(), removed.end(), i) == removed.end())
                expected.push_back(i);
        }
        EXPECT_EQ(inCell(grid, {1, 2, 3}), expected) << removed.size() << " removed";
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
