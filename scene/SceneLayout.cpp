#include "scene/SceneLayout.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "core/Numbers.h"

namespace SceneLayout {

namespace {

struct Named {
    const char* name;
    Kind kind;
};
constexpr Named kNames[] = {{"wall", Kind::Wall},
                            {"big-wall", Kind::BigWall},
                            {"pyramid", Kind::Pyramid},
                            {"tower", Kind::Tower},
                            {"rain", Kind::Rain}};
constexpr char kSizeMark = ':';

// The game's own wall, as it has always been laid.
constexpr int kWallBricks = 77;
constexpr int kWallBricksPerRow = 11;
constexpr float kWallOriginX = -8.5f;
constexpr float kWallOriginY = -7.0f;
constexpr float kWallStepYPerBrick = 0.1f;
constexpr float kWallRoomHalfSize = 10.0f;
constexpr float kBrickGap = 0.01f;

// The smallest room, and the space kept between a grown room's walls and its scene.
constexpr float kSmallestRoomHalfSize = 10.0f;
constexpr float kRoomMargin = 4.0f;

constexpr float kRainRoomHalfSize = 15.0f;
constexpr int kRainSquaresAcross = 5;
constexpr float kRainLowest = -5.0f;
constexpr float kRainLayerStep = 1.2f;
constexpr float kRainEdge = 2.0f;

bool readSize(const std::string& text, int& columns, int& rows) {
    const std::size_t x = text.find('x');
    if (x == std::string::npos) return false;
    const Numbers::Bounds side = Numbers::Bounds::within(1, kMaxBigWallSide);
    return Numbers::read(std::string_view(text).substr(0, x), side, columns) &&
           Numbers::read(std::string_view(text).substr(x + 1), side, rows);
}

float grownRoom(float width, float height) {
    return std::max(kSmallestRoomHalfSize, std::max(width / 2.0f, height) + kRoomMargin);
}

void layWall(glm::vec3 brick, Layout& layout) {
    const float pitch = brick.x + kBrickGap;
    // Each brick starts a little higher than the one before, so the rows drop into place one
    // after another instead of landing all at once.
    for (int i = 0; i < kWallBricks; ++i) {
        const float x = static_cast<float>(i % kWallBricksPerRow) * pitch + kWallOriginX;
        const float y = static_cast<float>(i) * kWallStepYPerBrick + kWallOriginY;
        layout.starts.emplace_back(x, y, 0.0f);
    }
    layout.roomHalfSize = kWallRoomHalfSize;
}

// Rows standing on the floor from the bottom up, each row centred; a pyramid's rows shrink by
// one brick each.
void layRows(glm::vec3 brick, int bottomRow, int rows, bool shrinking, Layout& layout) {
    const float pitch = brick.x + kBrickGap;
    const float rise = brick.y + kBrickGap;
    layout.roomHalfSize = grownRoom(bottomRow * pitch, rows * rise);
    for (int row = 0; row < rows; ++row) {
        const int inRow = shrinking ? bottomRow - row : bottomRow;
        for (int k = 0; k < inRow; ++k) {
            layout.starts.emplace_back((k - (inRow - 1) / 2.0f) * pitch,
                                       -layout.roomHalfSize + (row + 0.5f) * rise, 0.0f);
        }
    }
}

// Layers of bricks, each brick somewhere in its own square of the layer, so none starts inside
// another. The same places on every machine: integer steps, scaled to the room.
void layRain(glm::vec3 brick, Layout& layout) {
    constexpr std::uint32_t kMultiplier = 1664525u;
    constexpr std::uint32_t kIncrement = 1013904223u;
    constexpr float kUnit = 1.0f / 4294967296.0f;
    const float h = kRainRoomHalfSize;
    const float square = 2.0f * (h - kRainEdge) / kRainSquaresAcross;
    const glm::vec3 slack = glm::max(glm::vec3(square) - brick, glm::vec3(0.0f));
    std::uint32_t state = 1;
    auto next = [&] {
        state = state * kMultiplier + kIncrement;
        return static_cast<float>(state) * kUnit;
    };
    for (int i = 0; i < kRainBricks; ++i) {
        const int inLayer = i % (kRainSquaresAcross * kRainSquaresAcross);
        const float x = -(h - kRainEdge) + (inLayer % kRainSquaresAcross) * square +
                        brick.x / 2.0f + next() * slack.x;
        const float z = -(h - kRainEdge) + (inLayer / kRainSquaresAcross) * square +
                        brick.z / 2.0f + next() * slack.z;
        const int layer = i / (kRainSquaresAcross * kRainSquaresAcross);
        layout.starts.emplace_back(x, kRainLowest + layer * kRainLayerStep, z);
    }
    layout.roomHalfSize = h;
}

}  // namespace

bool read(const std::string& word, Choice& choice, std::string& why) {
    const std::size_t mark = word.find(kSizeMark);
    const std::string name = word.substr(0, mark);
    const auto found = std::find_if(std::begin(kNames), std::end(kNames),
                                    [&](const Named& n) { return name == n.name; });
    Choice read;
    if (found == std::end(kNames)) {
        why = "'" + word + "' is not a scene: " + described();
        return false;
    }
    read.kind = found->kind;
    if (read.kind == Kind::BigWall) {
        read.columns = kDefaultBigWallColumns;
        read.rows = kDefaultBigWallRows;
        if (mark != std::string::npos &&
            !readSize(word.substr(mark + 1), read.columns, read.rows)) {
            why = "'" + word + "': big-wall takes COLUMNSxROWS, each from 1 to " +
                  std::to_string(kMaxBigWallSide);
            return false;
        }
    } else if (mark != std::string::npos) {
        why = "'" + word + "': only big-wall takes a size";
        return false;
    }
    choice = read;
    return true;
}

std::string nameOf(const Choice& choice) {
    for (const Named& n : kNames) {
        if (n.kind != choice.kind) continue;
        if (choice.kind != Kind::BigWall) return n.name;
        return std::string(n.name) + kSizeMark + std::to_string(choice.columns) + "x" +
               std::to_string(choice.rows);
    }
    return {};
}

Choice stepped(const Choice& from, int direction) {
    const int count = static_cast<int>(std::size(kNames));
    const auto at = std::find_if(std::begin(kNames), std::end(kNames),
                                 [&](const Named& n) { return n.kind == from.kind; });
    const int index = static_cast<int>(at - std::begin(kNames));
    Choice next;
    std::string unused;
    read(kNames[((index + direction) % count + count) % count].name, next, unused);
    return next;
}

std::string described() {
    std::string text;
    for (const Named& n : kNames) {
        const bool last = &n == std::end(kNames) - 1;
        text += (text.empty() ? "" : last ? " or " : ", ") + std::string(n.name);
    }
    return text + " (big-wall:COLUMNSxROWS, each up to " + std::to_string(kMaxBigWallSide) + ")";
}

Layout layoutOf(const Choice& choice, glm::vec3 brickSize) {
    Layout layout;
    switch (choice.kind) {
        case Kind::Wall:
            layWall(brickSize, layout);
            break;
        case Kind::BigWall:
            layRows(brickSize, choice.columns, choice.rows, false, layout);
            break;
        case Kind::Pyramid:
            layRows(brickSize, kPyramidRows, kPyramidRows, true, layout);
            break;
        case Kind::Tower:
            layRows(brickSize, 1, kTowerBricks, false, layout);
            break;
        case Kind::Rain:
            layRain(brickSize, layout);
            break;
    }
    return layout;
}

int brickCount(const Choice& choice) {
    switch (choice.kind) {
        case Kind::Wall:
            return kWallBricks;
        case Kind::BigWall:
            return choice.columns * choice.rows;
        case Kind::Pyramid:
            return kPyramidRows * (kPyramidRows + 1) / 2;
        case Kind::Tower:
            return kTowerBricks;
        case Kind::Rain:
            return kRainBricks;
    }
    return kWallBricks;
}

}  // namespace SceneLayout
