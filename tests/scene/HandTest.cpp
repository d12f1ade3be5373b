#include <gtest/gtest.h>

#include "objects/Wall.h"
#include "physics/PhysicsWorld.h"
#include "scene/Brick.h"
#include "scene/Hand.h"
#include "tests/support/Headless.h"

namespace {

constexpr float kDt = 1.0f / 60.0f;
const glm::vec3 kEye{0.0f, 0.0f, 10.0f};
const glm::vec3 kAhead{0.0f, 0.0f, -1.0f};

}  // namespace

using HandTest = HeadlessTest;

// Held, the brick aimed at goes where the eye carries it, at the distance it was picked from;
// let go, it keeps the speed it was carried with.
TEST_F(HandTest, AGrabbedBrickFollowsTheViewAndFliesOnWhenLetGo) {
    Geo::Brick near;
    Geo::Brick far;
    near.setPosition({0.0f, 0.0f, 4.0f});
    far.setPosition({0.0f, 0.0f, -4.0f});
    near.fallAsleep();
    Hand hand;
    hand.follow(true, kEye, kAhead, kDt);
    ASSERT_EQ(hand.held(), &near);
    EXPECT_FALSE(near.asleep);
    near.update(kDt);
    EXPECT_EQ(near.getPosition(), glm::vec3(0.0f, 0.0f, 4.0f));
    // The view turns to the right: the brick is steered to 6 units along the new look.
    const glm::vec3 right{1.0f, 0.0f, 0.0f};
    hand.follow(true, kEye, right, kDt);
    near.update(kDt);
    EXPECT_NEAR(glm::length(near.getPosition() - (kEye + right * 6.0f)), 0.0f, 1e-4f);
    const glm::vec3 thrown = near.velocity;
    hand.follow(false, kEye, right, kDt);
    EXPECT_EQ(hand.held(), nullptr);
    EXPECT_EQ(near.velocity, thrown);
    EXPECT_GT(glm::length(thrown), 100.0f);
    // Nothing aimed at within reach: nothing is held.
    hand.follow(true, kEye, glm::vec3(0.0f, 1.0f, 0.0f), kDt);
    EXPECT_EQ(hand.held(), nullptr);
}

// A blast pushes the bricks near the first thing the view meets away from it and wakes them;
// those beyond its radius stay as they were.
TEST_F(HandTest, ABlastPushesAwayOnlyTheBricksNearTheAimedPoint) {
    Geo::Brick aimed;
    Geo::Brick beside;
    Geo::Brick beyond;
    aimed.setPosition({0.0f, 0.0f, 0.0f});
    beside.setPosition({2.0f, 0.0f, 0.0f});
    beyond.setPosition({8.0f, 0.0f, 0.0f});
    for (Geo::Brick* b : {&aimed, &beside, &beyond}) b->fallAsleep();
    Hand hand;
    EXPECT_EQ(hand.blast(kEye, kAhead), 2);
    EXPECT_FALSE(beside.asleep);
    EXPECT_GT(beside.velocity.x, 0.0f);
    EXPECT_LT(aimed.velocity.z, 0.0f) << "pushed away from the eye, from its front face";
    EXPECT_TRUE(beyond.asleep);
    EXPECT_EQ(beyond.velocity, glm::vec3(0.0f));
    EXPECT_EQ(hand.blast(kEye, -kAhead), 0) << "nothing behind the eye";
}
