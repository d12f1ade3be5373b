#include "app/ReplayTimeline.h"

#include <algorithm>

#include "input/Input.h"
#include "input/Keys.h"

namespace {

constexpr int kBarCells = 30;
constexpr char kPlayedCell = '#';
constexpr char kToComeCell = '.';

}  // namespace

// Every press counts, however many a frame holds: ten presses of a seek go ten times as far.
int ReplayTimeline::follow(const Input& input, int frame, int lastFrame) {
    if (input.pressesOnDevices(Action::Pause) % 2 == 1) held = !held;
    const int seeks =
        input.pressesOnDevices(Action::Faster) - input.pressesOnDevices(Action::Slower);
    const int steps = held ? input.pressesOnDevices(Action::Step) : 0;
    const int target = std::clamp(frame + seeks * Controls::kSeekFrames +
                                      (input.isDownOnDevices(Action::Run) ? -steps : steps),
                                  1, lastFrame);
    return target == frame ? 0 : target;
}

std::string ReplayTimeline::text(int frame, int lastFrame, const Controls::KeyMap& keys) const {
    const int played = lastFrame > 0 ? kBarCells * frame / lastFrame : 0;
    const std::string bar =
        std::string(played, kPlayedCell) + std::string(kBarCells - played, kToComeCell);
    const auto key = [&](Action action) { return Keys::name(keys[action]); };
    return "REPLAY [" + bar + "] " + std::to_string(frame) + "/" + std::to_string(lastFrame) +
           (held ? " HELD" : "") + "\n" + key(Action::Pause) + " hold, " + key(Action::Step) +
           " a frame (" + key(Action::Run) + ": back), " + key(Action::Slower) + " " +
           key(Action::Faster) + " 10 s";
}
