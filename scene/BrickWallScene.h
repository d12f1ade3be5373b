#pragma once

#include <array>

#include "objects/Brick.h"
#include "objects/Bullet.h"
#include "render/Text2D.h"
#include "scene/Room.h"

// The one level: 77 bricks dropped into rows inside a closed room, the player's bullet and the
// help text. Members are built in declaration order, which is also the physics world's order.
class BrickWallScene {
public:
    static constexpr int kBrickCount = 77;
    static constexpr int kBricksPerRow = 11;
    static constexpr float kLayoutOriginX = -8.5f;
    static constexpr float kLayoutOriginY = -7.0f;
    static constexpr float kStepYPerBrick = 0.1f;
    static constexpr float kBrickGap = 0.01f;
    static constexpr float kRoomHalfSize = 10.0f;
    static constexpr const char* kHelpText =
        "CONTROLS: \nMovement-WASD + Mouse \nShoot-Left Click \nRun-Shift \nRewind-Spacebar "
        "\nQuit-Escape";
    static constexpr int kHelpTextX = 10;
    static constexpr int kHelpTextY = 570;
    static constexpr int kHelpTextSize = 16;

    BrickWallScene();

    void setUp();
    // Rewinds or simulates, then draws.
    void frame();
    // The simulation half of frame, without drawing: the physics runs in steps of about 1/60 s.
    void step();
    void draw();
    void handleShot();
    void updateObjects();
    void releaseGL();

    std::array<Geo::Brick, kBrickCount> bricks;
    Room room;
    Geo::PlasmaBullet bullet;
    Text2D text;
};
