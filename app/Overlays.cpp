#include "app/Overlays.h"

#include "render/Text2D.h"

namespace {

// Glyph sizes in overlay units at the game's own text size.
constexpr int kHelpSize = 16;
constexpr int kSmallSize = 12;

}  // namespace

void Overlays::arrange(const GLUtils::FrameLayout& layout, int textPercent, const Texts& texts) {
    GLUtils::OverlayRequest request;
    request.frame = layout;
    request.textPercent = textPercent;
    request.help = GLUtils::measure(texts.help, kHelpSize);
    request.stats = GLUtils::measure(texts.stats, kSmallSize);
    request.timeline = GLUtils::measure(texts.timeline, kSmallSize);
    request.marks = GLUtils::measure(texts.marks, kSmallSize);
    request.options = GLUtils::measure(texts.options, kSmallSize);
    placed = GLUtils::placeOverlays(request);
}

void Overlays::draw(Text2D& text, const Texts& texts) const {
    text.print(texts.stats.c_str(), placed.stats);
    text.print(texts.timeline.c_str(), placed.timeline);
    text.print(texts.marks.c_str(), placed.marks);
}
