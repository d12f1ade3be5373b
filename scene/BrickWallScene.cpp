#include "scene/BrickWallScene.h"

#include <utility>

#include "input/Camera.h"
#include "input/Controls.h"
#include "input/Input.h"
#include "physics/PhysicsWorld.h"
#include "render/RenderContext.h"
#include "render/Texture.h"
#include "rewind/Controller.h"
#include "rewind/LastPos.h"
#include "sound/Sound.h"

namespace {

constexpr glm::vec3 kAwakeColour{1.0f, 0.85f, 0.2f};
constexpr glm::vec3 kAsleepColour{0.3f, 0.55f, 1.0f};
constexpr glm::vec3 kFixedColour{0.6f, 0.6f, 0.6f};

}  // namespace

namespace {

std::deque<Geo::Brick> makeBricks(int count) {
    std::deque<Geo::Brick> bricks;
    for (int i = 0; i < count; ++i) bricks.emplace_back();
    return bricks;
}

// The brick model's box, which the layouts keep the bricks apart by.
glm::vec3 brickSize(const Geo::Brick& brick) {
    return brick.collider.max - brick.collider.min;
}

}  // namespace

BrickWallScene::BrickWallScene(const SceneLayout::Choice& choice)
    : choice(choice),
      bricks(makeBricks(SceneLayout::brickCount(choice))),
      layout(SceneLayout::layoutOf(choice, brickSize(bricks.front()))),
      room(layout.roomHalfSize),
      text(&fontTexture),
      helpText(Controls::helpText(Controls::defaultKeys())) {
    setUp();
}

// The bricks leave the physics world and the rewind in one pass each: one at a time, every brick's
// removal would walk all the others. Their own removals then find them gone.
BrickWallScene::~BrickWallScene() {
    std::vector<Geo::GeoObjPhysics*> leaving;
    std::vector<Rewind::Rewindable*> unrecorded;
    for (Geo::Brick& brick : bricks) {
        leaving.push_back(&brick);
        unrecorded.push_back(&brick);
    }
    PhysicsWorld::instance()->remove(leaving);
    Rewind::Controller::instance()->unregisterRewindables(unrecorded);
}

void BrickWallScene::setUp() {
    Rewind::LastPos::fitRoom(layout.roomHalfSize);
    playSound(SoundTrack::kBackgroundMusic);
    text.init();
    if (RenderContext::instance()->isDrawing()) brickBatch.createGL();
    bricksToDraw.clear();
    for (Geo::Brick& brick : bricks) bricksToDraw.push_back(&brick);
    for (std::size_t i = 0; i < bricks.size(); ++i) bricks[i].setPosition(layout.starts[i]);
    Rewind::Controller::instance()->takeSnapshot();
}

void BrickWallScene::latchInput(const Input& input) {
    latched.firePressed |= input.isFirePressed();
    latched.blastPressed |= input.isPressed(Action::Blast);
    grabHeld = input.isDown(Action::Grab);
    // Released and pressed again before a step saw either: the rewind simply goes on.
    if (input.isRewindPressed()) {
        if (latched.rewind.released) {
            latched.rewind.released = false;
        } else {
            latched.rewind.pressed = true;
        }
    }
    if (input.isRewindReleased()) latched.rewind.released = true;
}

void BrickWallScene::step(float dt) {
    const LatchedInput input = std::exchange(latched, LatchedInput{});
    Rewind::Controller* controller = Rewind::Controller::instance();
    const Rewind::RewindChange change = controller->update(input.rewind);
    followWithMusic(change);
    rewindRanOut = rewindRanOut || (change.stopped && !input.rewind.released);
    // A shot or a blast asked for while rewinding is dropped, not kept for later, and the hand
    // lets go of what the rewind takes back.
    if (controller->isRewinding()) {
        hand.letGo();
        return;
    }
    handleShot(input.firePressed);
    PhysicsWorld* world = PhysicsWorld::instance();
    // The hand works between gravity and the bricks' updates; without it, the world takes both
    // in one walk.
    if (!handHasWork(input)) {
        world->updateAndCollide(dt, PhysicsWorld::Gravity::ApplyFirst);
        return;
    }
    world->applyGravity(dt);
    useHand(input, dt);
    world->updateAndCollide(dt, PhysicsWorld::Gravity::Applied);
}

bool BrickWallScene::handHasWork(const LatchedInput& input) const {
    return grabHeld || hand.held() || input.blastPressed;
}

void BrickWallScene::useHand(const LatchedInput& input, float dt) {
    // The camera is asked only when the hand has work: a headless scene has none.
    const Camera* camera = RenderContext::instance()->getCamera();
    const glm::vec3 eye = camera->view.eyePosition();
    const glm::vec3 look = -camera->view.backAxis();
    if (input.blastPressed) hand.blast(eye, look);
    hand.follow(grabHeld, eye, look, dt);
}

void BrickWallScene::followWithMusic(Rewind::RewindChange change) {
    if (change.started) playSound(SoundTrack::kBackgroundMusicBackwards);
    if (change.stopped) playSound(SoundTrack::kBackgroundMusic);
}

void BrickWallScene::handleShot(bool firePressed) {
    if (firePressed) bullet.fire();
}

void BrickWallScene::draw() {
    brickBatch.draw(bricksToDraw);
    bullet.draw();
    room.draw();
    text.print(helpText.c_str(), helpPlace);
}

void BrickWallScene::collectBoxes(std::vector<BoxLines::Box>& boxes) const {
    boxes.clear();
    for (const Geo::GeoObjPhysics* object : PhysicsWorld::instance()->getObjects()) {
        const Collider& box = object->collider;
        if (!box.isEnabled()) continue;
        const glm::vec3 colour = object->isStatic ? kFixedColour
                                 : object->asleep ? kAsleepColour
                                                  : kAwakeColour;
        boxes.push_back({box.worldMin(), box.worldMax(), colour, object->asleep});
    }
}

int BrickWallScene::bricksAsleep() const {
    int asleep = 0;
    for (const Geo::Brick& brick : bricks) asleep += brick.asleep ? 1 : 0;
    return asleep;
}

void BrickWallScene::releaseGL() {
    for (Geo::Brick& brick : bricks) brick.releaseGL();
    brickBatch.releaseGL();
    bullet.releaseGL();
    room.releaseGL();
    text.cleanup();
}
