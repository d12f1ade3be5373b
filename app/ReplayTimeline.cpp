#include "app/ReplayTimeline.h"

#include <algorithm>

#include "input/Input.h"
#include "input/Keys.h"

namespace {

constexpr int kBarCells = 30;
constexpr char kPlayedCell = '#';
constexpr char kToComeCell = '.';

}  // namespace

int ReplayTimeline::follow(const Input& input, int frame, int lastFrame) {
    if (input.isPressedOnDevices(Action::Pause)) held = !held;
    bool asked = true;
    int target = frame;
    if (input.isPressedOnDevices(Action::Slower)) {
        target = frame - kSeekFrames;
    } else if (input.isPressedOnDevices(Action::Faster)) {
        target = frame + kSeekFrames;
    } else if (held && input.isPressedOnDevices(Action::Step)) {
        target = frame + (input.isDownOnDevices(Action::Run) ? -1 : 1);
    } else {
        asked = false;
    }
    return asked ? std::clamp(target, 1, lastFrame) : 0;
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
