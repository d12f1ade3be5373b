#pragma once

#include <string>

#include "render/Viewport.h"

namespace GLUtils {

// A block of text as Text2D lays it out: its widest line in characters, its lines (0: not shown),
// and its glyph size in overlay units.
struct TextBlock {
    int columns = 0;
    int lines = 0;
    int size = 0;
};
TextBlock measure(const std::string& text, int size);

// A rectangle in overlay units: left, bottom, right, top.
struct UnitRect {
    int left = 0;
    int bottom = 0;
    int right = 0;
    int top = 0;
};

// Where one overlay is drawn: the area Text2D maps its 800 x 600 units onto, the print's position
// and size in them, the lines that fit (a list longer than its room shows as many), the backdrop
// behind it in the same units, and the framebuffer's pixels it covers (from the bottom-left).
struct PlacedText {
    Viewport area;
    int x = 0;
    int y = 0;
    int size = 0;
    int visibleLines = 0;
    bool backdrop = false;
    UnitRect backdropUnits;
    Viewport pixels;
};

// What a frame shows over the scene, and at what text size (in percent of the game's own).
struct OverlayRequest {
    FrameLayout frame;
    int textPercent = 100;
    TextBlock help;
    TextBlock stats;
    TextBlock timeline;
    TextBlock marks;
    TextBlock options;
};

// The help and the statistics under it at the top left, the options below the help, the marks at
// the top right and a replay's timeline at the bottom left; at 100 % in the game's own window the
// help stands where it always stood, without a backdrop. Every other overlay, and the help at a
// larger size, lies on a backdrop. The text is drawn smaller than asked where the window is too
// small for it: no two overlays overlap, and none leaves the window.
struct OverlayPlacement {
    // Overlay units per screen coordinate of the window, for pointing at the options.
    double unitsPerPoint = 0.0;
    PlacedText help;
    PlacedText stats;
    PlacedText timeline;
    PlacedText marks;
    PlacedText options;
};
OverlayPlacement placeOverlays(const OverlayRequest& request);

// The text size asked, in percent, that the window can carry with what it shows.
double fittedScale(const OverlayRequest& request);

}  // namespace GLUtils
