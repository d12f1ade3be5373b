#include "app/ReplayControl.h"

#include "app/Session.h"

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
