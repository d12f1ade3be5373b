#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "scene/SceneLayout.h"

namespace {

// The game's brick model's box.
constexpr glm::vec3 kBrick{1.6f, 0.8f, 0.8f};

bool apart(glm::vec3 a, glm::vec3 b) {
    const glm::vec3 d = glm::abs(a - b);
    return d.x >= kBrick.x || d.y >= kBrick.y || d.z >= kBrick.z;
}

}  // namespace

// Every scene by its name: its bricks, each inside its room and none inside another at the
// start; anything else is refused with a reason.
TEST(SceneLayout, EachSceneLaysItsBricksApartInsideItsRoom) {
    const struct {
        std::string name;
        int bricks;
    } scenes[] = {{"wall", 77},        {"big-wall", 1000}, {"big-wall:100x100", 10000},
                  {"big-wall:1x1", 1}, {"pyramid", 5050},  {"tower", 200},
                  {"rain", 400}};
    for (const auto& s : scenes) {
        SCOPED_TRACE(s.name);
        SceneLayout::Choice choice;
        std::string why;
        ASSERT_TRUE(SceneLayout::read(s.name, choice, why)) << why;
        EXPECT_EQ(SceneLayout::brickCount(choice), s.bricks);
        const SceneLayout::Layout layout = SceneLayout::layoutOf(choice, kBrick);
        ASSERT_EQ(static_cast<int>(layout.starts.size()), s.bricks);
        const float h = layout.roomHalfSize;
        for (const glm::vec3& p : layout.starts) {
            EXPECT_LT(glm::abs(p.x) + kBrick.x / 2, h);
            EXPECT_LT(glm::abs(p.y) + kBrick.y / 2, h);
            EXPECT_LT(glm::abs(p.z) + kBrick.z / 2, h);
        }
        if (s.bricks > 5050) continue;
        // Sorted by height, only bricks within a brick's height of each other can meet.
        std::vector<glm::vec3> starts = layout.starts;
        std::sort(starts.begin(), starts.end(),
                  [](const glm::vec3& a, const glm::vec3& b) { return a.y < b.y; });
        for (std::size_t i = 0; i < starts.size(); ++i)
            for (std::size_t j = i + 1; j < starts.size() && starts[j].y - starts[i].y < kBrick.y;
                 ++j)
                ASSERT_TRUE(apart(starts[i], starts[j])) << i << " and " << j;
    }
    for (const std::string bad :
         {"castle", "Wall", "", "big-wall:101x2", "big-wall:0x5", "big-wall:5", "pyramid:3x3"}) {
        SceneLayout::Choice choice{SceneLayout::Kind::Tower, 0, 0};
        std::string why;
        EXPECT_FALSE(SceneLayout::read(bad, choice, why)) << bad;
        EXPECT_NE(why.find("'" + bad + "'"), std::string::npos) << why;
        EXPECT_EQ(choice.kind, SceneLayout::Kind::Tower) << bad;
    }
}
