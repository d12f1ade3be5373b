#pragma once

// scene/: the one level, its bricks and room, and the order of a simulation step. May include
// every folder but app.

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "objects/Bullet.h"
#include "objects/ModelBatch.h"
#include "render/BoxLines.h"
#include "render/Text2D.h"
#include "rewind/Controller.h"
#include "scene/Brick.h"
#include "scene/Hand.h"
#include "scene/Room.h"
#include "scene/SceneLayout.h"

class Input;

// The level: the chosen scene's bricks (the game's own 77 dropped into rows, unless another is
// chosen) inside a closed room, the player's bullet and the help text. Members are built in
// declaration order, which is also the physics world's order.
class BrickWallScene {
public:
    static constexpr int kHelpTextX = 10;
    static constexpr int kHelpTextY = 570;
    static constexpr int kHelpTextSize = 16;

    explicit BrickWallScene(const SceneLayout::Choice& choice = {});
    // Takes the bricks out of the physics world and the rewind, so a copy would take them twice.
    ~BrickWallScene();
    BrickWallScene(const BrickWallScene&) = delete;
    BrickWallScene& operator=(const BrickWallScene&) = delete;

    void setUp();
    // Takes the edges of this frame's input poll. They wait for the next simulation step, which
    // may come in a later frame on a fast display, and each is used by one step only.
    void latchInput(const Input& input);
    // One simulation step of dt seconds: rewinds, or shoots and runs the physics.
    void step(float dt);
    void draw();
    // The reversed music while rewinding, the normal music from its start when a rewind ends.
    void followWithMusic(Rewind::RewindChange change);
    // True once a rewind ended by itself (its history ran out) since the last call.
    bool takeRewindRanOut() { return std::exchange(rewindRanOut, false); }
    void handleShot(bool firePressed);
    void releaseGL();
    // Every enabled collider's box, coloured by whether it is awake, asleep or fixed.
    void collectBoxes(std::vector<BoxLines::Box>& boxes) const;
    int bricksAsleep() const;

    const SceneLayout::Choice choice;
    // A deque: bricks never move, since the physics world and the rewind keep their addresses.
    std::deque<Geo::Brick> bricks;
    SceneLayout::Layout layout;
    Room room;
    Geo::PlasmaBullet bullet;
    Text2D text;
    // Drawn over the game in every frame, where the overlays' layout places it (at first where the
    // game has always drawn it).
    std::string helpText;
    GLUtils::PlacedText helpPlace{{}, kHelpTextX, kHelpTextY, kHelpTextSize, 1, false, {}, {}};

private:
    struct LatchedInput {
        bool firePressed = false;
        bool blastPressed = false;
        Rewind::RewindKeys rewind;
    };
    // Whether the hand holds, grabs or blasts in this step.
    bool handHasWork(const LatchedInput& input) const;
    // The hand's work in a step, after gravity: it steers what it holds against it.
    void useHand(const LatchedInput& input, float dt);

    LatchedInput latched;
    // Held as the last frame polled it, for every step until the next poll.
    bool grabHeld = false;
    Hand hand;
    bool rewindRanOut = false;
    // Every brick in one draw call; the list of them is kept between frames.
    Geo::ModelBatch brickBatch;
    std::vector<Geo::GeoObjTextured*> bricksToDraw;
};
