#include <gtest/gtest.h>

#include "objects/Wall.h"
#include "scene/Brick.h"
#include "tests/support/Headless.h"

using PhysicsObjectTest = HeadlessTest;

TEST_F(PhysicsObjectTest, ClampLimitsSpeedAndSnapsTinyComponents) {
    Geo::Brick brick;
    brick.velocity = {600, -700, 0.004f};
    brick.clampVelocity();
    EXPECT_EQ(brick.velocity, glm::vec3(500, -500, 0));
    brick.velocity = {-0.005f, 0.005f, 0.0025f};
    brick.clampVelocity();
    EXPECT_EQ(brick.velocity, glm::vec3(-0.005f, 0.005f, 0.0f));
}

TEST_F(PhysicsObjectTest, StillObjectAtDistanceTwoRestsAtTheSixtyFifthUpdate) {
    Geo::Brick brick;
    brick.setPosition({2, 0, 0});
    int update = 0;
    while (!brick.atRest && update < 200) {
        brick.update(1.0f / 60.0f);
        ++update;
    }
    EXPECT_EQ(update, 65);
    EXPECT_EQ(brick.restFrames, 4);
}

TEST_F(PhysicsObjectTest, StillObjectAtTheOriginRestsAtTheFourthUpdate) {
    Geo::Brick brick;
    for (int i = 0; i < 3; ++i) brick.update(1.0f / 60.0f);
    EXPECT_FALSE(brick.atRest);
    brick.update(1.0f / 60.0f);
    EXPECT_TRUE(brick.atRest);
}

TEST_F(PhysicsObjectTest, UpdateMovesByVelocityTimesTheFrameDelta) {
    Geo::Brick brick;
    brick.velocity = {3, 0, -6};
    brick.update(0.5f);
    EXPECT_EQ(brick.getPosition(), glm::vec3(1.5f, 0, -3));
    EXPECT_EQ(brick.collider.getPosition(), glm::vec3(1.5f, 0, -3));
}

TEST_F(PhysicsObjectTest, AnAsleepObjectsUpdateChangesNothing) {
    Geo::Brick brick;
    brick.fallAsleep();
    brick.velocity = {1, 1, 1};
    brick.update(0.5f);
    EXPECT_EQ(brick.getPosition(), glm::vec3(0.0f));
    EXPECT_EQ(brick.restFrames, 0);
}

TEST_F(PhysicsObjectTest, InverseMassOfWallBrickAndZeroMass) {
    Geo::Wall wall;
    Geo::Brick brick;
    EXPECT_EQ(wall.inverseMass(), 0.0f);
    EXPECT_EQ(brick.inverseMass(), 1.0f);
    brick.setMass(0.5f);
    EXPECT_EQ(brick.inverseMass(), 2.0f);
}

TEST_F(PhysicsObjectTest, WakeUpEmptiesNestedSleeperListsDepthFirst) {
    Geo::Brick bottom;
    Geo::Brick middle;
    Geo::Brick top;
    Geo::Brick side;
    for (Geo::Brick* b : {&bottom, &middle, &top, &side}) b->fallAsleep();
    bottom.sleepers = {&middle, &side};
    middle.sleepers = {&top};
    bottom.wakeUp();
    for (Geo::Brick* b : {&bottom, &middle, &top, &side}) {
        EXPECT_FALSE(b->asleep);
        EXPECT_TRUE(b->gravity);
        EXPECT_TRUE(b->sleepers.empty());
    }
}
