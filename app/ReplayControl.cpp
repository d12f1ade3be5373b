#include "app/ReplayControl.h"

#include "app/Session.h"
#include "render/Text2D.h"

namespace {

// In the overlay's space (see Text2D): at the bottom.
constexpr int kTimelineX = 10;
constexpr int kTimelineY = 30;
constexpr int kTimelineSize = 12;

}  // namespace

bool ReplayControl::isReplaying() const {
    return session && session->isReplaying();
}

int ReplayControl::length() const {
    return isReplaying() ? session->replayLength() : 0;
}

int ReplayControl::follow(const Input& input, int frame) {
    return isReplaying() ? timeline.follow(input, frame, length()) : 0;
}

std::string ReplayControl::shown(int frame, const Controls::KeyMap& keys) const {
    return isReplaying() ? timeline.text(frame, length(), keys) : "";
}

void ReplayControl::draw(Text2D& text, int frame, const Controls::KeyMap& keys) const {
    if (!isReplaying()) return;
    text.print(shown(frame, keys).c_str(), kTimelineX, kTimelineY, kTimelineSize);
}
