#include <gtest/gtest.h>

#include <vector>

#include "input/Controls.h"
#include "render/Text2D.h"
#include "scene/BrickWallScene.h"

namespace {

struct Quads {
    std::vector<glm::vec2> vertices;
    std::vector<glm::vec2> uvs;
};

Quads layout(const char* text, int x = 10, int y = 570, int size = 16) {
    Quads q;
    Text2D::layout(text, x, y, size, q.vertices, q.uvs);
    return q;
}

}  // namespace

TEST(TextLayout, SingleCapitalAMatchesTheAtlasCell) {
    const Quads q = layout("A");
    const std::vector<glm::vec2> corners = {{26, 586}, {26, 570}, {42, 586},
                                            {42, 570}, {42, 586}, {26, 570}};
    const std::vector<glm::vec2> uvs = {{0.0625f, 0.75f},  {0.0625f, 0.6875f}, {0.125f, 0.75f},
                                        {0.125f, 0.6875f}, {0.125f, 0.75f},    {0.0625f, 0.6875f}};
    EXPECT_EQ(q.vertices, corners);
    EXPECT_EQ(q.uvs, uvs);
}

TEST(TextLayout, HelpTextLinesStepDownTwentyUnitsAndStartAtX26) {
    const std::string text = Controls::helpText(Controls::defaultKeys());
    const Quads q = layout(text.c_str());
    ASSERT_EQ(q.vertices.size(), text.size() * 6);
    std::vector<float> baselines;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const glm::vec2 downLeft = q.vertices[i * 6 + 1];
        const bool lineStart = i == 0 || text[i - 1] == '\n';
        if (text[i] == '\n') {
            EXPECT_EQ(downLeft.x, 10.0f) << "a line feed is a quad at x 10";
        } else if (lineStart) {
            EXPECT_EQ(downLeft.x, 26.0f) << "first visible character of a line";
            baselines.push_back(downLeft.y);
        }
    }
    EXPECT_EQ(baselines, (std::vector<float>{570, 550, 530, 510, 490, 470, 450}));
}

TEST(TextLayout, CodesFromOneTwentyEightAreNegative) {
    const char text[] = {static_cast<char>(200), '\0'};
    const Quads q = layout(text);
    EXPECT_FLOAT_EQ(q.uvs[0].x, -0.5f);
    EXPECT_FLOAT_EQ(q.uvs[0].y, 1.0f + 0.1875f);
}

TEST(TextLayout, EmptyTextHasNoQuadsAndReusesCapacity) {
    Quads q = layout("HELLO");
    const std::size_t capacity = q.vertices.capacity();
    Text2D::layout("", 10, 570, 16, q.vertices, q.uvs);
    EXPECT_TRUE(q.vertices.empty());
    EXPECT_EQ(q.vertices.capacity(), capacity);
}
