#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "input/Controls.h"
#include "render/Text2D.h"
#include "render/Texture.h"
#include "scene/BrickWallScene.h"
#include "tests/support/GlContext.h"

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

namespace {

// WCAG's relative luminance of an sRGB pixel.
double luminance(const unsigned char* rgb) {
    double sum = 0.0;
    const double weights[] = {0.2126, 0.7152, 0.0722};
    for (int c = 0; c < 3; ++c) {
        const double v = rgb[c] / 255.0;
        sum += weights[c] * (v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
    }
    return sum;
}

class TextOnBackdrop : public GlTest {};

}  // namespace

// Over the brightest background there is, white, the backdrop still leaves the white text more
// than WCAG's 4.5 times its background's light.
TEST_F(TextOnBackdrop, WhiteTextStandsOutFromItsBackdropOverWhite) {
    // A core context draws nothing without a vertex array bound; the game's scene binds one.
    GLuint vertexArray = 0;
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    Text2D text(&fontTexture);
    text.init();
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    GLUtils::PlacedText placed;
    placed.area = {0, 0, 1024, 768};
    placed.x = 10;
    placed.y = 500;
    placed.size = 16;
    placed.visibleLines = 1;
    placed.backdrop = true;
    placed.backdropUnits = {0, 400, 400, 600};
    text.print("PAUSED", placed);
    unsigned char behind[4] = {};
    // Within the backdrop, away from the text.
    glReadPixels(300, 600, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, behind);
    text.cleanup();
    glDeleteVertexArrays(1, &vertexArray);
    const double contrast = (1.0 + 0.05) / (luminance(behind) + 0.05);
    EXPECT_GE(contrast, 4.5) << static_cast<int>(behind[0]);
}
