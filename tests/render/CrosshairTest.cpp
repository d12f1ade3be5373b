#include <gtest/gtest.h>

#include "render/Crosshair.h"
#include "render/Text2D.h"
#include "tests/support/GlContext.h"

namespace {

class CrosshairOnWhite : public GlTest {};

struct Pixel {
    int x;
    int y;
    unsigned char rgb[3];
};

}  // namespace

// Over the brightest background, the cross's centre is amber (not the help text's white), its
// edge dark, and beyond its arms nothing is drawn.
TEST_F(CrosshairOnWhite, AmberOnADarkEdgeAtTheSceneCentre) {
    GLuint vertexArray = 0;
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    Text2D painter(nullptr);
    painter.init();
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    GLUtils::FrameLayout layout = GLUtils::layoutFrame(1024, 768, 1024);
    Crosshair::draw(painter, layout);
    Pixel rows[] = {
        {512, 384, {255, 191, 25}}, {506, 385, {51, 51, 51}}, {512, 400, {255, 255, 255}}};
    for (Pixel& row : rows) {
        unsigned char got[4] = {};
        glReadPixels(row.x, row.y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, got);
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(got[c], row.rgb[c], 2) << row.y << " channel " << c;
    }
    painter.cleanup();
    glDeleteVertexArrays(1, &vertexArray);
    GLUtils::FrameLayout tiny = GLUtils::layoutFrame(20, 20, 20);
    EXPECT_EQ(Crosshair::barsFor(tiny).light[0].width, 0) << "a cross wider than the view";
}
