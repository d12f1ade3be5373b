#include <gtest/gtest.h>

#include <cmath>

#include "objects/Bullet.h"
#include "objects/Wall.h"
#include "physics/PhysicsWorld.h"
#include "scene/Brick.h"
#include "tests/support/Headless.h"

using Geo::Brick;
using Geo::Wall;

namespace {

// Brick boxes are 1.6 x 0.8 x 0.8; walls are the 2 x 2 x 2 cube.
class CollisionTest : public HeadlessTest {
protected:
    static void placeSideBySide(Brick& a, Brick& b, float overlap) {
        a.setPosition({0, 0, 0});
        b.setPosition({1.6f - overlap, 0, 0});
    }
};

}  // namespace

TEST_F(CollisionTest, TwoStaticOrTwoSleepingObjectsAreNeverResolved) {
    Wall w1;
    Wall w2;
    PhysicsWorld::collidePair(w1, w2);
    Brick a;
    Brick b;
    placeSideBySide(a, b, 0.5f);
    a.fallAsleep();
    b.fallAsleep();
    PhysicsWorld::collidePair(a, b);
    EXPECT_EQ(a.getPosition(), glm::vec3(0.0f));
    EXPECT_FLOAT_EQ(b.getPosition().x, 1.1f);
}

TEST_F(CollisionTest, AStaticObjectListedFirstIsNeverWritten) {
    Wall wall;
    Brick brick;
    brick.setPosition({0, 1.3f, 0});  // 0.1 into the wall's top face
    brick.velocity = {0, -4, 0};
    PhysicsWorld::collidePair(wall, brick);
    EXPECT_EQ(wall.getPosition(), glm::vec3(0.0f));
    EXPECT_EQ(wall.velocity, glm::vec3(0.0f));
    EXPECT_NEAR(brick.getPosition().y, 1.4f, 1e-6f);
    // Exchange with mass 0 keeps -4, the bounce leaves half, damping 0.95: 2 * 0.95.
    EXPECT_NEAR(brick.velocity.y, 1.9f, 1e-5f);
}

TEST_F(CollisionTest, NormalSpeedOfFourIntoAWallLeavesAtMinusOnePointNine) {
    Brick brick;
    Wall wall;
    wall.setPosition({1.7f, 0, 0});  // the brick reaches 0.1 into it
    brick.velocity = {4, 0, 0};
    PhysicsWorld::collidePair(brick, wall);
    EXPECT_NEAR(brick.velocity.x, -1.9f, 1e-5f);
    EXPECT_NEAR(brick.getPosition().x, -0.1f, 1e-5f);
}

TEST_F(CollisionTest, EqualMassesExchangeVelocities) {
    Brick a;
    Brick b;
    placeSideBySide(a, b, 0.2f);
    a.velocity = {3, 0, 0};
    b.velocity = {-1, 0, 0};
    PhysicsWorld::collidePair(a, b);
    EXPECT_NEAR(a.velocity.x, -1.0f * 0.95f, 1e-5f);
    EXPECT_NEAR(b.velocity.x, 3.0f * 0.95f, 1e-5f);
    // The overlap beyond the slop is split between them.
    EXPECT_NEAR(b.getPosition().x - a.getPosition().x, 1.6f - 0.01f, 1e-5f);
}

TEST_F(CollisionTest, OverlappingPairMovingApartIsLeftAlone) {
    Brick a;
    Brick b;
    placeSideBySide(a, b, 0.2f);
    a.velocity = {-1, 0, 0};
    b.velocity = {1, 0, 0};
    PhysicsWorld::collidePair(a, b);
    EXPECT_EQ(a.velocity, glm::vec3(-1, 0, 0));
    EXPECT_FLOAT_EQ(b.getPosition().x, 1.4f);
}

TEST_F(CollisionTest, EqualSmallestOverlapsExchangeButMoveNothing) {
    Brick a;
    Brick b;
    // Boxes of exactly representable size, so the two overlaps are equal to the bit.
    for (Brick* brick : {&a, &b}) {
        brick->collider.min = glm::vec3(-1.0f);
        brick->collider.max = glm::vec3(1.0f);
    }
    b.setPosition({1.5f, 1.5f, 0});
    a.velocity = {1, 0, 0};
    PhysicsWorld::collidePair(a, b);
    EXPECT_EQ(a.getPosition(), glm::vec3(0.0f));
    EXPECT_EQ(b.getPosition(), glm::vec3(1.5f, 1.5f, 0));
    EXPECT_NEAR(b.velocity.x, 0.95f, 1e-6f);
}

TEST_F(CollisionTest, SettlingOnASleepingBrickJoinsItsSleepersButNotAWalls) {
    Wall floor;
    Brick lower;
    Brick upper;
    lower.setPosition({0, 1.4f, 0});
    lower.atRest = true;
    PhysicsWorld::collidePair(floor, lower);
    EXPECT_TRUE(lower.asleep);
    EXPECT_TRUE(floor.sleepers.empty());

    upper.setPosition({0, 2.19f, 0});
    upper.atRest = true;
    PhysicsWorld::collidePair(lower, upper);
    EXPECT_TRUE(upper.asleep);
    ASSERT_EQ(lower.sleepers.size(), 1u);
    EXPECT_EQ(lower.sleepers[0], &upper);
}

TEST_F(CollisionTest, ObjectsRemovedTogetherLeaveTheListAndEverySleepersList) {
    Brick support;
    Brick first;
    Brick stays;
    Brick second;
    support.sleepers = {&first, &stays, &second};
    PhysicsWorld::instance()->remove({&first, &second});
    const std::vector<Geo::GeoObjPhysics*> left = {&support, &stays};
    EXPECT_EQ(PhysicsWorld::instance()->getObjects(), left);
    EXPECT_EQ(support.sleepers, std::vector<Geo::GeoObjPhysics*>{&stays});
}

TEST_F(CollisionTest, AStrongHitWakesTheLowerBrickAndTheOneOnTop) {
    Brick lower;
    Brick upper;
    Brick striker;
    lower.fallAsleep();
    upper.fallAsleep();
    lower.sleepers.push_back(&upper);
    upper.setPosition({0, 0.8f, 0});
    striker.setPosition({1.55f, 0, 0});
    striker.velocity = {-1.0f, 0, 0};  // squared speed 1: too weak
    PhysicsWorld::collidePair(lower, striker);
    EXPECT_TRUE(lower.asleep);
    striker.setPosition({1.55f, 0, 0});
    striker.velocity = {-1.35f, 0, 0};  // squared speed 1.8225
    PhysicsWorld::collidePair(lower, striker);
    EXPECT_FALSE(lower.asleep);
    EXPECT_FALSE(upper.asleep);
    EXPECT_TRUE(lower.sleepers.empty());
}

TEST_F(CollisionTest, ABulletOverlappingTwoBricksHitsOnlyTheFirst) {
    Brick first;
    Brick second;
    Geo::PlasmaBullet bullet;
    first.setPosition({-0.85f, 0, 0});
    second.setPosition({0.85f, 0, 0});
    bullet.visible = true;
    bullet.asleep = false;
    bullet.collider.setEnabled(true);
    bullet.velocity = {0, 0, -400};
    PhysicsWorld::instance()->collideAll();
    EXPECT_NE(first.velocity, glm::vec3(0.0f));
    EXPECT_EQ(second.velocity, glm::vec3(0.0f));
    EXPECT_FALSE(bullet.visible);
    EXPECT_FALSE(bullet.collider.isEnabled());
}

TEST_F(CollisionTest, TwoMovableMasslessObjectsMeetingGiveNoNaN) {
    Brick a;
    Brick b;
    placeSideBySide(a, b, 0.2f);
    a.setMass(0.0f);
    b.setMass(0.0f);
    a.velocity = {2, 0, 0};
    b.velocity = {-2, 0, 0};
    PhysicsWorld::collidePair(a, b);
    for (const Brick* brick : {&a, &b}) {
        for (int i = 0; i < 3; ++i) {
            EXPECT_FALSE(std::isnan(brick->velocity[i]));
            EXPECT_FALSE(std::isnan(brick->getPosition()[i]));
        }
    }
    EXPECT_FLOAT_EQ(b.getPosition().x - a.getPosition().x, 1.4f);
}

TEST_F(CollisionTest, HaltAllZeroesEveryVelocityAndWakesOnlyMovableObjects) {
    Wall wall;
    Brick brick;
    Geo::PlasmaBullet bullet;
    wall.velocity = {1, 2, 3};
    brick.velocity = {4, 5, 6};
    brick.fallAsleep();
    bullet.velocity = {7, 8, 9};
    PhysicsWorld::instance()->haltAll();
    for (const Geo::GeoObjPhysics* o :
         {static_cast<Geo::GeoObjPhysics*>(&wall), static_cast<Geo::GeoObjPhysics*>(&brick),
          static_cast<Geo::GeoObjPhysics*>(&bullet)}) {
        EXPECT_EQ(o->velocity, glm::vec3(0.0f));
    }
    EXPECT_FALSE(brick.asleep);
    EXPECT_FALSE(bullet.asleep);
    EXPECT_TRUE(bullet.gravity);
    EXPECT_FALSE(wall.gravity);
}

TEST_F(CollisionTest, GravityPassAcceleratesAndDampsOnlyObjectsWithGravity) {
    Wall wall;
    Brick brick;
    PhysicsWorld::instance()->applyGravity(0.1f);
    EXPECT_NEAR(brick.velocity.y, -0.98f * 0.985f, 1e-6f);
    EXPECT_EQ(wall.velocity, glm::vec3(0.0f));
}
