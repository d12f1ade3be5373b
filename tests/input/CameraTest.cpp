#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>

#include "input/Camera.h"
#include "input/Input.h"
#include "platform/FakePlatform.h"

namespace {

// Holds the keys for one polled frame and moves the camera by dt.
glm::vec3 stepWithKeys(Camera& camera, std::initializer_list<int> keys, float dt) {
    for (int key : keys) Platform::Fake::setKey(key, true);
    Input::instance()->poll(Platform::Gamepad());
    const glm::vec3 before = camera.view.eyePosition();
    camera.move(dt);
    camera.view.update();
    for (int key : keys) Platform::Fake::setKey(key, false);
    return camera.view.eyePosition() - before;
}

void lookBy(Camera& camera, int dx, int dy) {
    Input::instance()->onMouseMove(Input::kCursorCentreX + dx, Input::kCursorCentreY + dy);
    camera.onMouseMove(0, 0);
    camera.view.update();
}

void expectVecNear(glm::vec3 actual, glm::vec3 expected) {
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-5f) << "component " << i;
}

}  // namespace

TEST(Camera, StartsAtZZeroFiveLookingAlongMinusZ) {
    Camera camera;
    expectVecNear(camera.view.eyePosition(), {0, 0, 5});
    expectVecNear(-camera.view.backAxis(), {0, 0, -1});
    expectVecNear(camera.view.angles, {0, 0, 0});
    EXPECT_EQ(camera.viewProjectionMatrix, camera.projectionMatrix * camera.view.viewMatrix);
}

TEST(Camera, DiagonalMovementIsRootTwoFasterAndOppositeKeysCancel) {
    Camera camera;
    const glm::vec3 single = stepWithKeys(camera, {'W'}, 0.1f);
    EXPECT_NEAR(glm::length(single), 0.5f, 1e-5f);
    expectVecNear(single, {0, 0, -0.5f});
    const glm::vec3 diagonal = stepWithKeys(camera, {'W', 'A'}, 0.1f);
    EXPECT_NEAR(glm::length(diagonal), 0.5f * std::sqrt(2.0f), 1e-5f);
    EXPECT_LT(diagonal.x, 0.0f);
    expectVecNear(stepWithKeys(camera, {'W', 'S'}, 0.1f), {0, 0, 0});
}

TEST(Camera, RunningDoublesToTenUnitsPerSecond) {
    Camera camera;
    const glm::vec3 step = stepWithKeys(camera, {'D', Platform::kKeyLShift}, 0.1f);
    expectVecNear(step, {1.0f, 0, 0});
}

TEST(Camera, LookingUpAndMovingForwardClimbs) {
    Camera camera;
    lookBy(camera, 0, -500);  // 20 degrees up
    EXPECT_FLOAT_EQ(camera.view.angles.x, -20.0f);
    const glm::vec3 step = stepWithKeys(camera, {'W'}, 0.1f);
    EXPECT_NEAR(step.y, 0.5f * std::sin(glm::radians(20.0f)), 1e-5f);
}

TEST(Camera, MouseToTheRightTurnsRightAndDownTurnsDown) {
    Camera camera;
    lookBy(camera, 100, 0);
    EXPECT_FLOAT_EQ(camera.view.angles.y, 4.0f);
    EXPECT_GT(-camera.view.backAxis().x, 0.0f);
    lookBy(camera, 0, 100);
    EXPECT_LT(-camera.view.backAxis().y, 0.0f);
}

TEST(Camera, TheLookSettingsScaleTheTurnAndInvertItsVerticalPart) {
    Camera normal;
    lookBy(normal, 100, 50);
    Camera faster;
    Input::instance()->setLook({2.0f, false});
    lookBy(faster, 100, 50);
    EXPECT_EQ(faster.view.angles.y, 2.0f * normal.view.angles.y);
    EXPECT_EQ(faster.view.angles.x, 2.0f * normal.view.angles.x);
    Camera inverted;
    Input::instance()->setLook({1.0f, true});
    lookBy(inverted, 100, 50);
    EXPECT_EQ(inverted.view.angles.y, normal.view.angles.y);
    EXPECT_EQ(inverted.view.angles.x, -normal.view.angles.x);
    EXPECT_FLOAT_EQ(normal.view.angles.y, 4.0f);
    EXPECT_FLOAT_EQ(normal.view.angles.x, 2.0f);
}

TEST(Camera, PitchStaysWithinNinetyDegrees) {
    Camera camera;
    lookBy(camera, 0, 5000);
    EXPECT_EQ(camera.view.angles.x, 90.0f);
    lookBy(camera, 0, -9000);
    EXPECT_EQ(camera.view.angles.x, -90.0f);
    lookBy(camera, 9000, 0);
    EXPECT_FLOAT_EQ(camera.view.angles.y, 360.0f);
}

TEST(Camera, AStepReachingTheRoomBoundIsUndoneAsAWhole) {
    Camera camera;
    stepWithKeys(camera, {'S'}, 0.8f);  // eye to z = 9
    expectVecNear(camera.view.eyePosition(), {0, 0, 9});
    lookBy(camera, 1125, 0);  // 45 degrees right: a back step now moves on x and z
    const glm::vec3 step = stepWithKeys(camera, {'S'}, 0.2f);
    expectVecNear(step, {0, 0, 0});
    expectVecNear(camera.view.eyePosition(), {0, 0, 9});
}

TEST(Camera, AFirstRejectedStepJumpsTheEyeToTheOrigin) {
    Camera camera;
    stepWithKeys(camera, {'W'}, 3.0f);  // 15 units would leave the room
    expectVecNear(camera.view.eyePosition(), {0, 0, 0});
}

TEST(Camera, ViewMatrixIsPitchTimesYawTimesTranslation) {
    Camera camera;
    camera.view.angles = {30.0f, -50.0f, 0.0f};
    camera.view.translation = {1.0f, -2.0f, 3.0f};
    camera.view.update();
    const glm::mat4 expected =
        glm::rotate(glm::mat4(1.0f), glm::radians(30.0f), glm::vec3(1, 0, 0)) *
        glm::rotate(glm::mat4(1.0f), glm::radians(-50.0f), glm::vec3(0, 1, 0)) *
        glm::translate(glm::mat4(1.0f), glm::vec3(1.0f, -2.0f, 3.0f));
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r)
            EXPECT_NEAR(camera.view.viewMatrix[c][r], expected[c][r], 1e-5f);
    }
}
