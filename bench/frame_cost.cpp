// kelvarin_bench_frame: the cost of the game's frame against an empty frame (clear and swap) in the
// game's own window, 1024 x 768 with 4x multisampling, measured side by side in one run without the
// frame cap, for the game's wall of 77 bricks and the pyramid of 5,050. Run it in an X server:
// xvfb-run -a build/kelvarin_bench_frame
#include <GL/glew.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/GameRun.h"
#include "input/Camera.h"
#include "platform/Platform.h"
#include "scene/SceneLayout.h"

namespace {

constexpr int kSettleFrames = 400;
constexpr int kRounds = 6;
constexpr int kFramesPerRound = 50;
// Looking down at the settled wall, as a player does before shooting.
constexpr float kWallPitchDegrees = 55.0f;

using Clock = std::chrono::steady_clock;

double millisSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void emptyFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Platform::swapBuffers();
}

struct Costs {
    std::vector<double> empty;
    std::vector<double> game;
};

// Alternates blocks of empty and game frames so both see the same machine load.
Costs measure(GameRun& run) {
    Costs costs;
    for (int round = 0; round < kRounds; ++round) {
        for (int i = 0; i < kFramesPerRound; ++i) {
            const auto start = Clock::now();
            emptyFrame();
            costs.empty.push_back(millisSince(start));
        }
        for (int i = 0; i < kFramesPerRound; ++i) {
            const auto start = Clock::now();
            run.frame();
            costs.game.push_back(millisSince(start));
        }
    }
    return costs;
}

void report(const char* view, const Costs& costs) {
    const double empty = median(costs.empty);
    const double game = median(costs.game);
    std::printf("%-24s empty frame %6.2f ms   game frame %6.2f ms   ratio %.2f\n", view, empty,
                game, game / empty);
}

}  // namespace

int main() {
    for (const char* name : {"wall", "pyramid"}) {
        RunConfig config;
        std::string why;
        SceneLayout::read(name, config.settings.scene, why);
        GameRun run;
        if (!run.start(config)) return 1;
        Platform::setFramePacing(false);
        for (int i = 0; i < kSettleFrames; ++i) run.frame();
        std::printf("%s, %d bricks\n", name, SceneLayout::brickCount(config.settings.scene));
        report("  start view (the room)", measure(run));
        mainCamera.view.angles.x = kWallPitchDegrees;
        report("  looking down at it", measure(run));
        run.finish();
    }
    return 0;
}
