#pragma once

#include "render/Viewport.h"

class Text2D;

// The aim: a small cross at the centre of the scene's view, light on a dark edge so that it shows
// over the bright room and the dark bricks alike.
namespace Crosshair {

// The cross's bars in framebuffer pixels, centred on the scene: the dark edge's first, then the
// light bars inside them. Empty for a view too small to hold it.
struct Bars {
    GLUtils::Viewport edge[2];
    GLUtils::Viewport light[2];
};
Bars barsFor(const GLUtils::FrameLayout& layout);

void draw(Text2D& painter, const GLUtils::FrameLayout& layout);

}  // namespace Crosshair
