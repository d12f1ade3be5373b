#include "app/Testbed.h"

#include <cstdio>

#include "input/Input.h"

namespace {

constexpr double kMillisPerSecond = 1000.0;
constexpr double kMicrosPerSecond = 1e6;
constexpr std::size_t kLineBytes = 64;

}  // namespace

Testbed::Asked Testbed::follow(const Input& input) {
    if (input.isPressed(Action::Pause)) paused = !paused;
    if (input.isPressed(Action::Slower) && speedIndex > 0) --speedIndex;
    if (input.isPressed(Action::Faster) && speedIndex + 1 < kSpeeds.size()) ++speedIndex;
    if (input.isPressed(Action::Stats)) stats = !stats;
    if (input.isPressed(Action::Boxes)) boxes = !boxes;
    Asked asked;
    asked.restart = input.isPressed(Action::Restart);
    asked.step = paused && input.isPressed(Action::Step);
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
    char text[4 * kLineBytes];
    std::snprintf(text, sizeof text,
                  "FRAME %.1f ms STEP %.0f us\nBRICKS %d awake %d asleep\n"
                  "REWIND %d snaps, %.1f s\nSPEED %s%s",
                  stats.frameSeconds * kMillisPerSecond, stats.stepSeconds * kMicrosPerSecond,
                  stats.awake, stats.asleep, stats.snapshots, stats.rewindSecondsLeft,
                  testbed.speedText().c_str(), testbed.isPaused() ? ", paused" : "");
    return text;
}
