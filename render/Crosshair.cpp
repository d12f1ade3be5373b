#include "render/Crosshair.h"

#include <algorithm>
#include <cmath>
#include <glm/glm.hpp>

#include "render/Text2D.h"

namespace Crosshair {

namespace {

// In pixels at a density of one: each arm's length from the centre, the light bar's width and
// the dark edge around it.
constexpr int kArm = 8;
constexpr int kBar = 2;
constexpr int kEdge = 1;
// Amber, not white: the help text and the tests that judge it own white.
const glm::vec4 kLight(1.0f, 0.75f, 0.1f, 1.0f);
const glm::vec4 kDark(0.0f, 0.0f, 0.0f, 0.8f);

int scaled(int pixels, double density) {
    return std::max(1, static_cast<int>(std::lround(pixels * density)));
}

// A horizontal and a vertical bar crossing at the view's centre, each half-length arm wide and
// bar thick.
void cross(const GLUtils::Viewport& view, int arm, int bar, GLUtils::Viewport out[2]) {
    const int centreX = view.x + view.width / 2;
    const int centreY = view.y + view.height / 2;
    out[0] = {centreX - arm, centreY - bar / 2, 2 * arm, bar};
    out[1] = {centreX - bar / 2, centreY - arm, bar, 2 * arm};
}

}  // namespace

Bars barsFor(const GLUtils::FrameLayout& layout) {
    Bars bars;
    const int arm = scaled(kArm, layout.density);
    const int bar = scaled(kBar, layout.density);
    const int edge = scaled(kEdge, layout.density);
    if (!layout.drawable || layout.scene.width < 4 * arm || layout.scene.height < 4 * arm) {
        return bars;
    }
    cross(layout.scene, arm + edge, bar + 2 * edge, bars.edge);
    cross(layout.scene, arm, bar, bars.light);
    return bars;
}

void draw(Text2D& painter, const GLUtils::FrameLayout& layout) {
    const Bars bars = barsFor(layout);
    for (const GLUtils::Viewport& edge : bars.edge) {
        if (edge.width > 0) painter.fill(edge, kDark);
    }
    for (const GLUtils::Viewport& light : bars.light) {
        if (light.width > 0) painter.fill(light, kLight);
    }
}

}  // namespace Crosshair
