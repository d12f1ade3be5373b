#include <gtest/gtest.h>

#include "physics/Collider.h"
#include "physics/PhysicsWorld.h"

namespace {

const std::vector<glm::vec3> kUnitCube = {{-1, -1, -1}, {1, 1, 1}, {0.5f, -1, 1}};

}  // namespace

TEST(Collider, BoxOfTheModelFollowsSetScaleAndScale) {
    Collider c;
    c.initFromModel(kUnitCube);
    EXPECT_EQ(c.min, glm::vec3(-1, -1, -1));
    EXPECT_EQ(c.max, glm::vec3(1, 1, 1));
    c.setScale({10, 10, 10});
    EXPECT_EQ(c.min, glm::vec3(-10, -10, -10));
    EXPECT_EQ(c.max, glm::vec3(10, 10, 10));
    c.scale({2, 2, 2});
    EXPECT_EQ(c.min, glm::vec3(-20, -20, -20));
    EXPECT_EQ(c.max, glm::vec3(20, 20, 20));
}

TEST(Collider, PositionMovesTheWorldBoxOnly) {
    Collider c;
    c.initFromModel(kUnitCube);
    c.setPosition({5, 0, -2});
    EXPECT_EQ(c.min, glm::vec3(-1, -1, -1));
    EXPECT_EQ(c.worldMin(), glm::vec3(4, -1, -3));
    EXPECT_EQ(c.worldMax(), glm::vec3(6, 1, -1));
}

TEST(Collider, AModelWithoutVerticesLeavesAnEmptyBoxAtTheOrigin) {
    Collider c;
    c.initFromModel({});
    EXPECT_EQ(c.min, glm::vec3(0.0f));
    EXPECT_EQ(c.max, glm::vec3(0.0f));
}

TEST(Collider, TouchingBoxesOverlapAndSeparatedOnesDoNot) {
    Collider a;
    Collider b;
    a.initFromModel(kUnitCube);
    b.initFromModel(kUnitCube);
    // Faces meeting exactly, on each axis in turn.
    for (int axis = 0; axis < 3; ++axis) {
        glm::vec3 offset(0.0f);
        offset[axis] = 2.0f;
        b.setPosition(offset);
        EXPECT_TRUE(PhysicsWorld::overlaps(a, b)) << "axis " << axis;
        EXPECT_TRUE(PhysicsWorld::overlaps(b, a)) << "axis " << axis;
        offset[axis] = 2.001f;
        b.setPosition(offset);
        EXPECT_FALSE(PhysicsWorld::overlaps(a, b)) << "axis " << axis;
    }
}
