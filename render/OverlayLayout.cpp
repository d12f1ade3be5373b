#include "render/OverlayLayout.h"

#include <algorithm>
#include <cmath>

namespace GLUtils {
namespace {

// Text2D puts lines a quarter of their size apart, and the first character one cell in.
constexpr int kLineGapDivisor = 4;
// In overlay units: the help's place as the game has always drawn it (first line at 570, its
// glyphs from x 26), the gap between stacked overlays, the margins at the window's edges and the
// backdrop's padding.
constexpr int kHelpX = 10;
constexpr int kHelpTopGap = 14;
constexpr int kMargin = 10;
constexpr int kGap = 8;
constexpr int kPadding = 4;
constexpr int kTimelineBottom = 15;
constexpr int kOptionsX = 200;
// The smallest the text is drawn to fit a small window, in parts of the game's own size.
constexpr double kSmallestScale = 0.25;
constexpr double kShrinkStep = 0.9;

int lineStep(int size) {
    return size + size / kLineGapDivisor;
}

int blockHeight(const TextBlock& block, int lines) {
    return lines <= 0 ? 0 : block.size + (lines - 1) * lineStep(block.size);
}

int blockWidth(const TextBlock& block) {
    return (block.columns + 1) * block.size;
}

// A block whose first line's glyphs have their bottom at y, their left cell at x.
UnitRect cover(const TextBlock& block, int x, int y, int lines) {
    return {x + block.size, y + block.size - blockHeight(block, lines), x + blockWidth(block),
            y + block.size};
}

// Everything placed at one scale, in the units of three areas anchored at the window's top left,
// bottom left and top right.
struct Attempt {
    OverlayPlacement placement;
    bool fits = true;
};

Viewport areaAt(int left, int bottom, double pixelsPerUnit) {
    return {left, bottom, static_cast<int>(std::lround(kOverlayUnitsWide * pixelsPerUnit)),
            static_cast<int>(std::lround(kOverlayUnitsHigh * pixelsPerUnit))};
}

Viewport pixelsOf(const Viewport& area, const UnitRect& units, double pixelsPerUnit) {
    const auto at = [&](int unit) { return static_cast<int>(std::lround(unit * pixelsPerUnit)); };
    return {area.x + at(units.left), area.y + at(units.bottom), at(units.right - units.left),
            at(units.top - units.bottom)};
}

bool overlaps(const Viewport& a, const Viewport& b) {
    if (a.width <= 0 || a.height <= 0 || b.width <= 0 || b.height <= 0) return false;
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height;
}

bool inside(const Viewport& rect, int width, int height) {
    if (rect.width <= 0 || rect.height <= 0) return true;
    return rect.x >= 0 && rect.y >= 0 && rect.x + rect.width <= width &&
           rect.y + rect.height <= height;
}

void place(PlacedText& placed, const TextBlock& block, const Viewport& area, int x, int y,
           int lines, double pixelsPerUnit, bool backdrop) {
    if (block.lines <= 0) return;
    placed.area = area;
    placed.x = x;
    placed.y = y;
    placed.size = block.size;
    placed.visibleLines = lines;
    placed.backdrop = backdrop;
    const UnitRect text = cover(block, x, y, lines);
    placed.backdropUnits = {text.left - kPadding, text.bottom - kPadding, text.right + kPadding,
                            text.top + kPadding};
    placed.pixels = pixelsOf(area, placed.backdropUnits, pixelsPerUnit);
}

Attempt attempt(const OverlayRequest& r, double scale) {
    Attempt a;
    const FrameLayout& frame = r.frame;
    const double pixelsPerUnit = frame.density * kOverlayReferenceWidth / kOverlayUnitsWide * scale;
    OverlayPlacement& p = a.placement;
    p.unitsPerPoint = 1.0 / (pixelsPerUnit / frame.density);
    const int width = frame.scene.width;
    const int height = frame.scene.height;
    const Viewport topLeft = areaAt(0, height - areaAt(0, 0, pixelsPerUnit).height, pixelsPerUnit);
    const Viewport bottomLeft = areaAt(0, 0, pixelsPerUnit);
    const Viewport topRight = areaAt(width - topLeft.width, topLeft.y, pixelsPerUnit);
    // The window's bottom, in the top-left area's units.
    const int windowBottom =
        kOverlayUnitsHigh - static_cast<int>(std::floor(height / pixelsPerUnit));
    const bool larger = scale > 1.0;

    const int helpY = kOverlayUnitsHigh - kHelpTopGap - r.help.size;
    place(p.help, r.help, topLeft, kHelpX, helpY, r.help.lines, pixelsPerUnit, larger);
    int below = cover(r.help, kHelpX, helpY, r.help.lines).bottom - kGap;
    // The statistics' glyphs start where the help's do.
    const int statsX = kHelpX + r.help.size - r.stats.size;
    const int statsY = below - r.stats.size;
    place(p.stats, r.stats, topLeft, statsX, statsY, r.stats.lines, pixelsPerUnit, true);
    if (r.stats.lines > 0) below = p.stats.backdropUnits.bottom - kGap;
    const int timelineY = kTimelineBottom + (r.timeline.lines - 1) * lineStep(r.timeline.size);
    place(p.timeline, r.timeline, bottomLeft, kHelpX, timelineY, r.timeline.lines, pixelsPerUnit,
          true);
    const int marksX = kOverlayUnitsWide - kMargin - blockWidth(r.marks);
    place(p.marks, r.marks, topRight, marksX, helpY, r.marks.lines, pixelsPerUnit, true);

    // The options stand below the help, as many of their lines as fit above the window's bottom.
    const int windowRight = static_cast<int>(std::floor(width / pixelsPerUnit));
    const int optionsX = std::max(
        kHelpX, std::min(kOptionsX, windowRight - kMargin - blockWidth(r.options) - kHelpX));
    const int optionsY = below - r.options.size;
    // Above the window's bottom, and above the timeline when it shows.
    const int timelineTop = r.timeline.lines > 0 ? p.timeline.backdropUnits.top + kGap : kMargin;
    const int room = optionsY + r.options.size - std::max(windowBottom, 0) - timelineTop;
    const int fitting = std::min(r.options.lines, room / lineStep(r.options.size));
    place(p.options, r.options, topLeft, optionsX, optionsY, fitting, pixelsPerUnit, true);

    // An options list that cannot show its title and a few lines asks for smaller text.
    constexpr int kFewestOptionLines = 4;
    if (r.options.lines > 0 && fitting < std::min(r.options.lines, kFewestOptionLines)) {
        a.fits = false;
    }
    const PlacedText* shown[] = {&p.help, &p.stats, &p.timeline, &p.marks, &p.options};
    for (const PlacedText* one : shown) {
        if (!inside(one->pixels, width, height)) a.fits = false;
        for (const PlacedText* other : shown) {
            if (one < other && overlaps(one->pixels, other->pixels)) a.fits = false;
        }
    }
    return a;
}

}  // namespace

TextBlock measure(const std::string& text, int size) {
    TextBlock block;
    block.size = size;
    if (text.empty()) return block;
    block.lines = 1;
    int column = 0;
    for (const char c : text) {
        column = c == '\n' ? 0 : column + 1;
        block.lines += c == '\n' ? 1 : 0;
        block.columns = std::max(block.columns, column);
    }
    return block;
}

double fittedScale(const OverlayRequest& request) {
    double scale = request.textPercent / 100.0;
    while (scale > kSmallestScale && !attempt(request, scale).fits) scale *= kShrinkStep;
    return std::max(scale, kSmallestScale);
}

OverlayPlacement placeOverlays(const OverlayRequest& request) {
    return attempt(request, fittedScale(request)).placement;
}

}  // namespace GLUtils
