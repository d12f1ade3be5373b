#include <gtest/gtest.h>

#include <string>

#include "render/OverlayLayout.h"

namespace {

using GLUtils::PlacedText;

// Blocks as large as the game's own: the help, four lines of statistics, a replay's two lines,
// three marks and the options' 29 lines.
GLUtils::OverlayRequest everythingShown(int width, int height, int percent) {
    GLUtils::OverlayRequest request;
    request.frame = GLUtils::layoutFrame(width, height, width);
    request.textPercent = percent;
    request.help = {26, 7, 16};
    request.stats = {29, 4, 12};
    request.timeline = {49, 2, 12};
    request.marks = {15, 3, 12};
    request.options = {44, 29, 12};
    return request;
}

bool overlap(const GLUtils::Viewport& a, const GLUtils::Viewport& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height;
}

}  // namespace

// At every window size from the smallest to 4K and every text size, each overlay lies in the
// window and none over another; the options show at least their title and a few lines.
TEST(OverlayLayout, NoTwoOverlaysOverlapAndNoneLeavesTheWindowAtAnySize) {
    const int sizes[][2] = {{640, 480},   {800, 600},   {1024, 768},  {1280, 720}, {1366, 768},
                            {1920, 1080}, {2560, 1440}, {3840, 2160}, {390, 844},  {844, 390}};
    for (const auto& size : sizes) {
        for (const int percent : {100, 150, 200}) {
            const std::string where = std::to_string(size[0]) + "x" + std::to_string(size[1]) +
                                      " at " + std::to_string(percent) + " %";
            const GLUtils::OverlayPlacement placed =
                GLUtils::placeOverlays(everythingShown(size[0], size[1], percent));
            const PlacedText* all[] = {&placed.help, &placed.stats, &placed.timeline, &placed.marks,
                                       &placed.options};
            for (const PlacedText* one : all) {
                const GLUtils::Viewport& p = one->pixels;
                EXPECT_TRUE(p.x >= 0 && p.y >= 0 && p.x + p.width <= size[0] &&
                            p.y + p.height <= size[1])
                    << where;
                for (const PlacedText* other : all) {
                    EXPECT_TRUE(one == other || !overlap(p, other->pixels)) << where;
                }
            }
            EXPECT_GE(placed.options.visibleLines, 4) << where;
        }
    }
}

// In the game's own window at 100 % the help stands where it always stood, as it always looked;
// larger, it grows and gets a backdrop; in a larger window it keeps its size.
TEST(OverlayLayout, TheHelpKeepsItsPlaceAndLookAtTheGamesOwnSize) {
    const GLUtils::OverlayPlacement own = GLUtils::placeOverlays(everythingShown(1024, 768, 100));
    EXPECT_EQ(own.help.x, 10);
    EXPECT_EQ(own.help.y, 570);
    EXPECT_EQ(own.help.size, 16);
    EXPECT_FALSE(own.help.backdrop);
    EXPECT_TRUE(own.stats.backdrop);
    EXPECT_EQ(own.help.area.width, 1024);
    EXPECT_EQ(own.help.area.y, 0);
    const GLUtils::OverlayPlacement large =
        GLUtils::placeOverlays(everythingShown(3840, 2160, 200));
    EXPECT_TRUE(large.help.backdrop);
    EXPECT_EQ(large.help.area.width, 2048);
    const GLUtils::OverlayPlacement wide = GLUtils::placeOverlays(everythingShown(3840, 2160, 100));
    EXPECT_EQ(wide.help.area.width, 1024);
}
