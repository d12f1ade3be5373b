#include "render/Viewport.h"

#include <cmath>

namespace GLUtils {

FrameLayout layoutFrame(int framebufferWidth, int framebufferHeight, int windowWidth) {
    FrameLayout layout;
    if (framebufferWidth <= 0 || framebufferHeight <= 0) return layout;
    layout.drawable = true;
    layout.scene = {0, 0, framebufferWidth, framebufferHeight};
    layout.aspectRatio =
        static_cast<float>(framebufferWidth) / static_cast<float>(framebufferHeight);
    const double density =
        windowWidth > 0 ? static_cast<double>(framebufferWidth) / windowWidth : 1.0;
    layout.density = density;
    const int overlayWidth = static_cast<int>(std::lround(kOverlayReferenceWidth * density));
    const int overlayHeight = static_cast<int>(std::lround(kOverlayReferenceHeight * density));
    // OpenGL counts rows from the bottom: the overlay's top edge is the framebuffer's.
    layout.overlay = {0, framebufferHeight - overlayHeight, overlayWidth, overlayHeight};
    return layout;
}

void toOverlay(int windowX, int windowY, int& x, int& y) {
    x = windowX * kOverlayUnitsWide / kOverlayReferenceWidth;
    y = kOverlayUnitsHigh - windowY * kOverlayUnitsHigh / kOverlayReferenceHeight;
}

}  // namespace GLUtils
