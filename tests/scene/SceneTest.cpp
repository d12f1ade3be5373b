#include <GL/glew.h>
#include <gtest/gtest.h>

#include <vector>

#include "app/GameRun.h"
#include "input/Camera.h"
#include "input/Input.h"
#include "physics/PhysicsWorld.h"
#include "platform/FakePlatform.h"
#include "rewind/Controller.h"
#include "scene/BrickWallScene.h"

namespace {

constexpr double kFrameTime = 1.0 / 60.0;
// No case here judges pixels: small frames keep every draw call at a fraction of the driver's cost.
constexpr int kFrameWidth = 128;
constexpr int kFrameHeight = 96;

// The game's start-up and frame step through the fake platform, at a fixed frame time.
class SceneTest : public testing::Test {
protected:
    void SetUp() override {
        Platform::Fake::useRealContext(true);
        Platform::Fake::overrideWindowSize(kFrameWidth, kFrameHeight);
        ASSERT_TRUE(run.start(RunConfig()));
        Platform::Fake::setTimeStepPerSwap(kFrameTime);
        scene = &run.scene();
    }
    void frames(int count) {
        for (int i = 0; i < count; ++i) run.frame();
    }
    // Frames behind a minimised window: simulated, not drawn.
    void simulatedFrames(int count) {
        Platform::Fake::setFramebufferSize(0, 0);
        frames(count);
        Platform::Fake::setFramebufferSize(kFrameWidth, kFrameHeight);
    }
    bool allBricksAsleep() const {
        for (const Geo::Brick& b : scene->bricks) {
            if (!b.asleep) return false;
        }
        return true;
    }
    void settle() {
        for (int i = 0; i < 1200 && !allBricksAsleep(); ++i) frames(1);
        ASSERT_TRUE(allBricksAsleep());
    }
    std::vector<glm::vec3> brickPositions() const {
        std::vector<glm::vec3> out;
        for (const Geo::Brick& b : scene->bricks) out.push_back(b.getPosition());
        return out;
    }

    GameRun run;
    BrickWallScene* scene = nullptr;
};

}  // namespace

TEST_F(SceneTest, BricksAreLaidOutInSlantedRowsOfEleven) {
    const float p = 2.0f * scene->bricks[0].collider.max.x + 0.01f;
    EXPECT_LT(scene->bricks[0].collider.max.x, 0.87f);
    EXPECT_EQ(scene->bricks[0].getPosition(), glm::vec3(-8.5f, -7.0f, 0));
    EXPECT_EQ(scene->bricks[10].getPosition(), glm::vec3(10 * p - 8.5f, 10 * 0.1f - 7.0f, 0));
    EXPECT_EQ(scene->bricks[11].getPosition(), glm::vec3(-8.5f, 11 * 0.1f - 7.0f, 0));
    EXPECT_EQ(scene->bricks[76].getPosition(), glm::vec3(10 * p - 8.5f, 76 * 0.1f - 7.0f, 0));
    EXPECT_EQ(Rewind::Controller::instance()->getFrameStamps().size(), 1u);
    EXPECT_EQ(Platform::Fake::record().playedTracks.back(), "media/sounds/backgroundMusic.wav");
}

TEST_F(SceneTest, PhysicsOrderIsBricksThenTheSixWallsThenTheBullet) {
    const auto& objects = PhysicsWorld::instance()->getObjects();
    ASSERT_EQ(objects.size(), 84u);
    for (int i = 0; i < 77; ++i) EXPECT_EQ(objects[i], &scene->bricks[i]);
    Room& r = scene->room;
    const Geo::GeoObjPhysics* walls[] = {&r.wallPlusX,  &r.wallMinusX, &r.wallPlusZ,
                                         &r.wallMinusZ, &r.sky,        &r.floor};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(objects[77 + i], walls[i]);
    EXPECT_EQ(objects[83], &scene->bullet);
}

TEST_F(SceneTest, TheRoomsInnerFacesAreAtTen) {
    Room& r = scene->room;
    EXPECT_FLOAT_EQ(r.wallPlusX.collider.worldMin().x, 10.0f);
    EXPECT_FLOAT_EQ(r.wallMinusX.collider.worldMax().x, -10.0f);
    EXPECT_FLOAT_EQ(r.wallPlusZ.collider.worldMin().z, 10.0f);
    EXPECT_FLOAT_EQ(r.wallMinusZ.collider.worldMax().z, -10.0f);
    EXPECT_FLOAT_EQ(r.sky.collider.worldMin().y, 10.0f);
    EXPECT_FLOAT_EQ(r.floor.collider.worldMax().y, -10.0f);
}

TEST_F(SceneTest, EveryBrickFallsAsleepInsideTheRoom) {
    settle();
    for (const glm::vec3& p : brickPositions()) {
        EXPECT_GT(p.y, -10.0f);
        EXPECT_LT(p.y, -10.0f + 7 * 0.8f + 0.5f);
        EXPECT_GT(p.x, -10.0f);
        EXPECT_LT(p.x, 10.0f);
    }
}

TEST_F(SceneTest, AShotFromTheStartKnocksABrickOfTheWall) {
    settle();
    // Look down at the middle of the settled wall's front from the start position, then fire.
    mainCamera.view.angles.x = 57.0f;
    const std::vector<glm::vec3> before = brickPositions();
    Platform::Fake::setMouseButton(Platform::kMouseButtonLeft, true);
    frames(1);
    Platform::Fake::setMouseButton(Platform::kMouseButtonLeft, false);
    EXPECT_TRUE(scene->bullet.visible);
    frames(60);
    const std::vector<glm::vec3> after = brickPositions();
    int moved = 0;
    for (std::size_t i = 0; i < before.size(); ++i)
        moved += glm::distance(before[i], after[i]) > 0.05f;
    EXPECT_GT(moved, 0);
}

TEST_F(SceneTest, WhileRewindingFireDoesNothingAndTheBulletHangsStill) {
    frames(30);
    mainCamera.view.angles.x = 10.0f;
    Platform::Fake::setMouseButton(Platform::kMouseButtonLeft, true);
    frames(1);
    Platform::Fake::setMouseButton(Platform::kMouseButtonLeft, false);
    frames(1);
    ASSERT_TRUE(scene->bullet.visible);
    Platform::Fake::setKey(Platform::kKeySpace, true);
    frames(1);
    ASSERT_TRUE(Rewind::Controller::instance()->isRewinding());
    const glm::vec3 hanging = scene->bullet.getPosition();
    mainCamera.view.angles.x = -10.0f;
    Platform::Fake::setMouseButton(Platform::kMouseButtonLeft, true);
    frames(5);
    EXPECT_EQ(scene->bullet.getPosition(), hanging);
    Platform::Fake::setMouseButton(Platform::kMouseButtonLeft, false);
    // With sticky keys the release is seen at the second poll after it.
    Platform::Fake::setKey(Platform::kKeySpace, false);
    frames(2);
    EXPECT_FALSE(Rewind::Controller::instance()->isRewinding());
    EXPECT_EQ(scene->bullet.velocity, glm::vec3(0.0f, -9.8f * float(kFrameTime) * 0.985f, 0.0f));
}

TEST_F(SceneTest, AFullRewindReturnsEveryBrickToItsRecordedPositions) {
    frames(120);
    // Stamp 0 is the layout; stamp 6 is the oldest one a rewind replays to.
    std::vector<glm::vec3> recordedAt6;
    for (const Geo::Brick& b : scene->bricks) recordedAt6.push_back(b.getHistory()[1].toVec3());
    Platform::Fake::setKey(Platform::kKeySpace, true);
    std::vector<glm::vec3> lastRewound;
    for (int i = 0; i < 200; ++i) {
        frames(1);
        if (!Rewind::Controller::instance()->isRewinding()) break;
        lastRewound = brickPositions();
    }
    EXPECT_FALSE(Rewind::Controller::instance()->isRewinding());
    EXPECT_EQ(lastRewound, recordedAt6);
}

TEST_F(SceneTest, TheProjectionAndOverlayFollowAResizedWindow) {
    Platform::Fake::setWindowSize(1200, 675);
    Platform::Fake::setFramebufferSize(1200, 675);
    frames(1);
    EXPECT_FLOAT_EQ(mainCamera.aspectRatio, 1200.0f / 675.0f);
    // The horizontal scale is the vertical one over the aspect ratio.
    const glm::mat4& p = mainCamera.projectionMatrix;
    EXPECT_NEAR(p[1][1] / p[0][0], 1200.0f / 675.0f, 1e-5f);
    // The overlay is drawn last, into its top-left area of the opening window's size.
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[1], 675 - 768);
    EXPECT_EQ(viewport[2], 1024);
    EXPECT_EQ(viewport[3], 768);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(SceneTest, AMinimisedWindowSimulatesButDrawsNothing) {
    frames(1);
    const float aspect = mainCamera.aspectRatio;
    Platform::Fake::setFramebufferSize(0, 0);
    const std::uint32_t counter = Rewind::Controller::instance()->getFrameCounter();
    frames(10);
    EXPECT_EQ(Rewind::Controller::instance()->getFrameCounter(), counter + 10);
    EXPECT_EQ(mainCamera.aspectRatio, aspect);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(SceneTest, ARewindRightAfterOneThatUsedUpTheHistoryMovesNoBrickAtFirst) {
    // Past the rollover the oldest kept snapshots are from when the bricks were still falling.
    simulatedFrames(1200 * 6 + 30);
    Platform::Fake::setKey(Platform::kKeySpace, true);
    for (int i = 0; i < 1200 * 6 + 60; ++i) {
        simulatedFrames(1);
        if (i > 0 && !Rewind::Controller::instance()->isRewinding()) break;
    }
    ASSERT_FALSE(Rewind::Controller::instance()->isRewinding());
    Platform::Fake::setKey(Platform::kKeySpace, false);
    simulatedFrames(3);
    const std::vector<glm::vec3> before = brickPositions();
    Platform::Fake::setKey(Platform::kKeySpace, true);
    simulatedFrames(1);
    ASSERT_TRUE(Rewind::Controller::instance()->isRewinding());
    EXPECT_EQ(brickPositions(), before);
}

TEST_F(SceneTest, ADriverErrorIsSaidOnceAndEveryFrameWithOneIsCounted) {
    // No texture target has this number: binding to it sets GL_INVALID_ENUM.
    constexpr GLenum kNotATarget = 0x1234;
    frames(2);
    testing::internal::CaptureStderr();
    glBindTexture(kNotATarget, 0);
    frames(1);
    glBindTexture(kNotATarget, 0);
    frames(2);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "kelvarin: OpenGL error 0x500 in frame 3; later frames with errors are only "
              "counted\n");
    EXPECT_EQ(run.glErrorFrames(), 2);
}
