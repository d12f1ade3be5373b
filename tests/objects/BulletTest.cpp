#include <gtest/gtest.h>

#include "input/Camera.h"
#include "objects/Bullet.h"
#include "physics/PhysicsWorld.h"
#include "render/RenderContext.h"
#include "scene/Brick.h"
#include "tests/support/GlContext.h"

namespace {

class BulletTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        RenderContext::instance()->setCamera(&camera);
    }
    Camera camera;
};

}  // namespace

TEST_F(BulletTest, ANewBulletIsParked) {
    Geo::PlasmaBullet bullet;
    EXPECT_FALSE(bullet.visible);
    EXPECT_EQ(bullet.getPosition(), glm::vec3(0.0f));
    EXPECT_TRUE(bullet.asleep);
    EXPECT_FALSE(bullet.collider.isEnabled());
    EXPECT_FLOAT_EQ(bullet.mass, 0.025f);
    EXPECT_FLOAT_EQ(bullet.inverseMass(), 40.0f);
    EXPECT_EQ(bullet.getScale(), glm::vec3(0.15f));
    // The sphere of radius 1 gives a box of half size 0.15.
    EXPECT_NEAR(bullet.collider.max.x, 0.15f, 1e-6f);
}

TEST_F(BulletTest, FiringLaunchesFromTheEyeAlongTheView) {
    Geo::PlasmaBullet bullet;
    camera.view.angles = {-10.0f, 30.0f, 0.0f};
    camera.view.update();
    bullet.fire();
    EXPECT_EQ(bullet.getPosition(), camera.view.eyePosition());
    EXPECT_NEAR(glm::length(bullet.velocity), 400.0f, 1e-3f);
    const glm::vec3 look = -camera.view.backAxis();
    EXPECT_NEAR(glm::dot(glm::normalize(bullet.velocity), look), 1.0f, 1e-6f);
    EXPECT_TRUE(bullet.visible);
    EXPECT_TRUE(bullet.collider.isEnabled());
    EXPECT_FALSE(bullet.asleep);
}

TEST_F(BulletTest, FiringAgainRelaunchesTheSameBulletFromTheEye) {
    Geo::PlasmaBullet bullet;
    bullet.fire();
    bullet.translate({0, 0, -10});
    bullet.fire();
    EXPECT_EQ(bullet.getPosition(), camera.view.eyePosition());
    EXPECT_EQ(PhysicsWorld::instance()->getObjects().size(), 1u);
}

TEST_F(BulletTest, AHitParksTheBulletInTheSameFrameAndMovesTheBrick) {
    Geo::Brick brick;
    Geo::PlasmaBullet bullet;
    brick.setPosition({0, 0, -2});
    bullet.fire();
    bullet.setPosition({0, 0, -1.5f});
    PhysicsWorld::instance()->collideAll();
    EXPECT_FALSE(bullet.visible);
    EXPECT_FALSE(bullet.collider.isEnabled());
    EXPECT_EQ(bullet.getPosition(), glm::vec3(0.0f));
    EXPECT_LT(brick.velocity.z, -10.0f);
}
