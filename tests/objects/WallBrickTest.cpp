#include <gtest/gtest.h>

#include "objects/Wall.h"
#include "render/Model.h"
#include "render/Texture.h"
#include "rewind/Controller.h"
#include "scene/Brick.h"
#include "tests/support/GlContext.h"

using WallBrickTest = GlTest;

TEST_F(WallBrickTest, WallsOfEitherConstructorAreStaticAndMassless) {
    Geo::Wall plain;
    Geo::Wall sky(&skyTexture);
    for (const Geo::Wall* wall : {&plain, &sky}) {
        EXPECT_FALSE(wall->gravity);
        EXPECT_TRUE(wall->isStatic);
        EXPECT_EQ(wall->mass, 0.0f);
        EXPECT_EQ(wall->inverseMass(), 0.0f);
        EXPECT_EQ(wall->model, &cubeModel);
    }
    EXPECT_EQ(plain.texture, &wallTexture);
    EXPECT_EQ(sky.texture, &skyTexture);
}

TEST_F(WallBrickTest, ABrickOwnsItsHistoryAndReplayMovesItsCollider) {
    Geo::Brick brick;
    EXPECT_EQ(brick.inverseMass(), 1.0f);
    EXPECT_TRUE(brick.gravity);
    brick.setPosition({1, 2, 3});
    Rewind::Controller::instance()->takeSnapshot();
    brick.setPosition({4, 5, 6});
    Rewind::Controller::instance()->takeSnapshot();
    brick.startSegment(true);
    brick.interpolate(1.0f);
    EXPECT_EQ(brick.getPosition(), glm::vec3(1, 2, 3));
    EXPECT_EQ(brick.collider.getPosition(), glm::vec3(1, 2, 3));
}
