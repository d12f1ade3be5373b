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

// A move leaves the buckets as adding the index to its new cells alone would, whether the two
// ranges overlap, lie apart, shrink, grow or fall on the same buckets by wrapping around; other
// indices stay where they are.
TEST(GridBuckets, AMoveLeavesTheIndexInItsNewCellsOnly) {
    const struct {
        glm::ivec3 lo, hi, newLo, newHi;
    } rows[] = {{{0, 0, 0}, {1, 1, 0}, {1, 0, 0}, {2, 1, 0}},
                {{0, 0, 0}, {0, 0, 0}, {3, 3, 3}, {3, 3, 3}},
                {{0, 0, 0}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}},
                {{1, 1, 1}, {1, 1, 1}, {0, 0, 0}, {1, 1, 1}},
                {{0, 0, 0}, {1, 0, 0}, {64, 0, 0}, {65, 0, 0}}};
    const auto addAll = [](GridBuckets& grid, const glm::ivec3& lo, const glm::ivec3& hi) {
        for (int z = lo.z; z <= hi.z; ++z)
            for (int y = lo.y; y <= hi.y; ++y)
                for (int x = lo.x; x <= hi.x; ++x) grid.add({x, y, z}, 5);
    };
    for (const auto& row : rows) {
        GridBuckets moved;
        GridBuckets fresh;
        for (GridBuckets* grid : {&moved, &fresh}) {
            grid->reset({0, 0, 0}, {3, 3, 3}, 1);
            grid->add(row.lo, 3);
            grid->add(row.newHi, 9);
        }
        addAll(moved, row.lo, row.hi);
        moved.move(row.lo, row.hi, row.newLo, row.newHi, 5);
        addAll(fresh, row.newLo, row.newHi);
        for (int z = -1; z <= 4; ++z)
            for (int y = -1; y <= 4; ++y)
                for (int x = -1; x <= 66; ++x)
                    ASSERT_EQ(inCell(moved, {x, y, z}), inCell(fresh, {x, y, z}))
                        << "cell " << x << "," << y << "," << z << " moving to x " << row.newLo.x;
    }
}
