#pragma once

// The named scenes: how many bricks, where each starts and how large the room grows for them.

#include <glm/glm.hpp>
#include <string>
#include <vector>

namespace SceneLayout {

enum class Kind { Wall, BigWall, Pyramid, Tower, Rain };

// A scene as the command line, the settings file and recordings name it: "wall", "pyramid",
// "big-wall" or "big-wall:COLUMNSxROWS".
struct Choice {
    Kind kind = Kind::Wall;
    int columns = 0;
    int rows = 0;
    bool operator==(const Choice& o) const {
        return kind == o.kind && columns == o.columns && rows == o.rows;
    }
    bool operator!=(const Choice& o) const { return !(*this == o); }
};

constexpr int kMaxBigWallSide = 100;
constexpr int kDefaultBigWallColumns = 40;
constexpr int kDefaultBigWallRows = 25;
constexpr int kPyramidRows = 100;
constexpr int kTowerBricks = 200;
constexpr int kRainBricks = 400;

// False, with what is wrong (naming the word and the scenes there are), for anything else.
bool read(const std::string& word, Choice& choice, std::string& why);
std::string nameOf(const Choice& choice);
// The next scene in the list (direction 1) or the one before (-1), round the list, at its own
// sizes.
Choice stepped(const Choice& from, int direction);
// The scenes' names and what big-wall takes, as the usage text and the manual list them.
std::string described();

struct Layout {
    std::vector<glm::vec3> starts;
    float roomHalfSize = 0.0f;
};

// brickSize is the brick model's box: the layout keeps the bricks that far apart.
Layout layoutOf(const Choice& choice, glm::vec3 brickSize);
int brickCount(const Choice& choice);

}  // namespace SceneLayout
