#include "scene/BrickWallScene.h"

#include "app/FrameClock.h"
#include "input/Input.h"
#include "physics/PhysicsWorld.h"
#include "rewind/Controller.h"
#include "sound/Sound.h"

BrickWallScene::BrickWallScene() : room(kRoomHalfSize) {
    setUp();
}

void BrickWallScene::setUp() {
    playSound(kBackgroundMusic);
    text.init();
    const float width = 2.0f * bricks[0].collider.max.x;
    const float pitch = width + kBrickGap;
    // Each brick starts a little higher than the one before, so the rows drop into place one
    // after another instead of landing all at once.
    for (int i = 0; i < kBrickCount; ++i) {
        const float x = static_cast<float>(i % kBricksPerRow) * pitch + kLayoutOriginX;
        const float y = static_cast<float>(i) * kStepYPerBrick + kLayoutOriginY;
        bricks[i].setPosition(glm::vec3(x, y, 0.0f));
    }
    Rewind::Controller::instance()->takeSnapshot();
}

void BrickWallScene::frame() {
    step();
    draw();
}

void BrickWallScene::step() {
    Rewind::Controller* controller = Rewind::Controller::instance();
    controller->update();
    if (controller->isRewinding()) return;
    handleShot();
    const int steps = FrameClock::splitIntoSteps();
    for (int i = 0; i < steps; ++i) {
        PhysicsWorld::instance()->applyGravity();
        updateObjects();
        PhysicsWorld::instance()->collideAll();
    }
}

void BrickWallScene::handleShot() {
    if (Input::instance()->isFirePressed()) bullet.fire();
}

void BrickWallScene::updateObjects() {
    for (Geo::Brick& brick : bricks) brick.update();
    bullet.update();
}

void BrickWallScene::draw() {
    for (Geo::Brick& brick : bricks) brick.draw();
    bullet.draw();
    room.draw();
    text.print(kHelpText, kHelpTextX, kHelpTextY, kHelpTextSize);
}

void BrickWallScene::releaseGL() {
    for (Geo::Brick& brick : bricks) brick.releaseGL();
    bullet.releaseGL();
    room.releaseGL();
    text.cleanup();
}
