#pragma once

#include <string>

#include "render/OverlayLayout.h"

class Text2D;

// What a frame shows over the scene in words: the help, the statistics, a replay's timeline, the
// marks and the options, laid out together at the player's text size so that none covers another
// and none leaves the window, each on a backdrop that keeps it readable over anything.
class Overlays {
public:
    struct Texts {
        std::string help;
        std::string stats;
        std::string timeline;
        std::string marks;
        // The whole menu, all its lines: the options show as many as fit.
        std::string options;
    };

    // Before the scene draws, which prints the help as its last step.
    void arrange(const GLUtils::FrameLayout& layout, int textPercent, const Texts& texts);
    const GLUtils::OverlayPlacement& placement() const { return placed; }
    // The statistics, the timeline and the marks, over what the scene drew; the options are
    // printed by whoever keeps them, at their place.
    void draw(Text2D& text, const Texts& texts) const;

private:
    GLUtils::OverlayPlacement placed;
};
