#include <gtest/gtest.h>

#include "render/Viewport.h"

using GLUtils::FrameLayout;
using GLUtils::layoutFrame;
using GLUtils::Viewport;

namespace {

void expectViewport(const Viewport& v, int x, int y, int width, int height) {
    EXPECT_EQ(v.x, x);
    EXPECT_EQ(v.y, y);
    EXPECT_EQ(v.width, width);
    EXPECT_EQ(v.height, height);
}

}  // namespace

TEST(Viewport, TheOpeningWindowDrawsAsItAlwaysHas) {
    const FrameLayout layout = layoutFrame(1024, 768, 1024);
    ASSERT_TRUE(layout.drawable);
    expectViewport(layout.scene, 0, 0, 1024, 768);
    expectViewport(layout.overlay, 0, 0, 1024, 768);
    EXPECT_EQ(layout.aspectRatio, 1024.0f / 768.0f);
}

TEST(Viewport, TheSceneFillsAnyShapeAndTheOverlayStaysTopLeft) {
    const struct {
        int width, height;
    } sizes[] = {{1200, 675}, {1920, 1080}, {640, 480}, {300, 900}};
    for (const auto& s : sizes) {
        const FrameLayout layout = layoutFrame(s.width, s.height, s.width);
        ASSERT_TRUE(layout.drawable);
        expectViewport(layout.scene, 0, 0, s.width, s.height);
        EXPECT_FLOAT_EQ(layout.aspectRatio, float(s.width) / float(s.height));
        // The overlay's top edge is the window's, its size the opening window's.
        expectViewport(layout.overlay, 0, s.height - 768, 1024, 768);
    }
}

TEST(Viewport, AHighDensityScreenScalesTheOverlayWithItsPixels) {
    const FrameLayout layout = layoutFrame(2400, 1350, 1200);
    expectViewport(layout.scene, 0, 0, 2400, 1350);
    expectViewport(layout.overlay, 0, 1350 - 1536, 2048, 1536);
    EXPECT_FLOAT_EQ(layout.aspectRatio, 2400.0f / 1350.0f);
}

TEST(Viewport, AMinimisedWindowDrawsNothing) {
    EXPECT_FALSE(layoutFrame(0, 0, 0).drawable);
    EXPECT_FALSE(layoutFrame(1024, 0, 1024).drawable);
    EXPECT_FALSE(layoutFrame(0, 768, 0).drawable);
}
