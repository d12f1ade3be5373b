#pragma once

#include "core/WindowSize.h"

namespace GLUtils {

// Where a frame is drawn in a window of any size. The scene fills the framebuffer with the
// projection's aspect ratio following it; the help overlay keeps the pixel mapping it has in the
// 1024 x 768 window the game opens with, anchored at the top-left corner, so its text keeps its
// size and place whatever the window's shape (times the screen's density on high-density
// screens). A window smaller than the overlay clips its right and bottom parts.
struct Viewport {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct FrameLayout {
    // False for a minimised window (an empty framebuffer): nothing is drawn.
    bool drawable = false;
    Viewport scene;
    Viewport overlay;
    // Width over height of the framebuffer; meaningful only when drawable.
    float aspectRatio = 0.0f;
    // Framebuffer pixels per screen coordinate of the window.
    double density = 1.0;
};

// The window size the overlay's pixel mapping comes from.
constexpr int kOverlayReferenceWidth = Core::kWindowWidth;
constexpr int kOverlayReferenceHeight = Core::kWindowHeight;

// The framebuffer is in pixels, the window's width in screen coordinates; their ratio is the
// screen's density.
FrameLayout layoutFrame(int framebufferWidth, int framebufferHeight, int windowWidth);

// The overlay's own space, which its shader (Text2D.vert) maps onto the overlay area: units from
// the bottom-left corner.
constexpr int kOverlayUnitsWide = 800;
constexpr int kOverlayUnitsHigh = 600;
// A point of the window, in screen coordinates from its top-left corner, in the overlay's space.
void toOverlay(int windowX, int windowY, int& x, int& y);

}  // namespace GLUtils
