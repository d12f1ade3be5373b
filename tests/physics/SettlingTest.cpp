#include <gtest/gtest.h>

#include <array>

#include "objects/Wall.h"
#include "physics/PhysicsWorld.h"
#include "scene/Brick.h"
#include "tests/support/Headless.h"

using SettlingTest = HeadlessTest;

// A few bricks dropped onto a static floor at 1/60 s come to rest, fall asleep and stay there.
TEST_F(SettlingTest, DroppedBricksFallAsleepOnTheFloorAndStayPut) {
    constexpr float kDt = 1.0f / 60.0f;
    constexpr int kMaxFrames = 600;
    std::array<Geo::Brick, 4> bricks;
    Geo::Wall floor;
    floor.setScale({10, 1, 10});
    floor.setPosition({0, -3, 0});  // top face at y = -2
    for (int i = 0; i < 4; ++i) bricks[i].setPosition({(i % 2) * 2.0f, 0.5f + i * 1.0f, 0});

    PhysicsWorld* world = PhysicsWorld::instance();
    int frame = 0;
    auto allAsleep = [&] {
        for (const Geo::Brick& b : bricks) {
            if (!b.asleep) return false;
        }
        return true;
    };
    for (; frame < kMaxFrames && !allAsleep(); ++frame) {
        world->applyGravity(kDt);
        for (Geo::Brick& b : bricks) b.update(kDt);
        world->collideAll();
    }
    ASSERT_LT(frame, kMaxFrames) << "bricks still awake";

    std::array<glm::vec3, 4> settled;
    for (int i = 0; i < 4; ++i) settled[i] = bricks[i].getPosition();
    for (int more = 0; more < 120; ++more) {
        world->applyGravity(kDt);
        for (Geo::Brick& b : bricks) b.update(kDt);
        world->collideAll();
    }
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(bricks[i].getPosition(), settled[i]) << "brick " << i;
        // Resting on the floor (y = -2 + 0.4) or on the brick below (0.8 higher).
        EXPECT_GE(settled[i].y, -1.61f);
        EXPECT_LT(settled[i].y, 0.0f);
    }
}
