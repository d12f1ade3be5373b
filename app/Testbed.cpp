#include "app/Testbed.h"

#include <algorithm>
#include <cstdio>

#include "input/Input.h"

namespace {

constexpr double kMillisPerSecond = 1000.0;
constexpr double kMicrosPerSecond = 1e6;
constexpr std::size_t kLineBytes = 64;

}  // namespace

// Every press counts, however many a frame holds: a switch pressed twice is back where it was.
Testbed::Asked Testbed::follow(const Input& input) {
    const auto switched = [&](Action action) { return input.presses(action) % 2 == 1; };
    if (switched(Action::Pause)) paused = !paused;
    const int speed = static_cast<int>(speedIndex) - input.presses(Action::Slower) +
                      input.presses(Action::Faster);
    speedIndex = static_cast<std::size_t>(std::clamp(speed, 0, kSpeedCount - 1));
    if (switched(Action::Stats)) stats = !stats;
    if (switched(Action::Boxes)) boxes = !boxes;
    Asked asked;
    asked.restart = input.presses(Action::Restart) > 0;
    asked.steps = paused ? input.presses(Action::Step) : 0;
    return asked;
}

std::string Testbed::speedText() const {
    const double inverse = 1.0 / speed();
    if (inverse == 1.0) return "1";
    char text[kLineBytes];
    std::snprintf(text, sizeof text, "1/%.0f", inverse);
    return text;
}

std::string statsText(const TestbedStats& stats, const Testbed& testbed) {
    char text[5 * kLineBytes];
    std::snprintf(text, sizeof text,
                  "FRAME %.1f ms STEP %.0f us\nBRICKS %d awake %d asleep\nSCENE %s PAIRS %ld\n"
                  "REWIND %d snaps, %.1f s\nSPEED %s%s",
                  stats.frameSeconds * kMillisPerSecond, stats.stepSeconds * kMicrosPerSecond,
                  stats.awake, stats.asleep, stats.scene.c_str(), stats.pairsPerStep,
                  stats.snapshots, stats.rewindSecondsLeft, testbed.speedText().c_str(),
                  testbed.isPaused() ? ", paused" : "");
    return text;
}
