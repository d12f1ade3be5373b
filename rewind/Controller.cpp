#include "rewind/Controller.h"

#include <algorithm>

#include "physics/PhysicsWorld.h"
#include "rewind/Rewindable.h"

namespace Rewind {

Controller* Controller::instance() {
    static Controller* controller = new Controller();
    return controller;
}

Controller::Controller() : frameStamps(kMaxSnapshots) {}

void Controller::registerRewindable(Rewindable* r) {
    rewindables.push_back(r);
}

void Controller::unregisterRewindable(Rewindable* r) {
    unregisterRewindables({r});
}

void Controller::unregisterRewindables(const std::vector<Rewindable*>& leaving) {
    std::vector<Rewindable*> sorted = leaving;
    std::sort(sorted.begin(), sorted.end());
    const auto isLeaving = [&](Rewindable* r) {
        return std::binary_search(sorted.begin(), sorted.end(), r);
    };
    rewindables.erase(std::remove_if(rewindables.begin(), rewindables.end(), isLeaving),
                      rewindables.end());
}

std::uint32_t Controller::newestStamp() const {
    return frameStamps.empty() ? 0 : frameStamps.back();
}

RewindChange Controller::update(RewindKeys keys) {
    change = RewindChange{};
    handleInput(keys);
    if (rewinding) {
        rewindOneStep();
        return change;
    }
    ++frameCounter;
    ++framesSinceSnapshot;
    if (framesSinceSnapshot == kSnapshotInterval) {
        takeSnapshot();
        framesSinceSnapshot = 0;
    }
    return change;
}

void Controller::rewindOneStep() {
    if (frameCounter == 0 || frameStamps.empty()) {
        stopRewind();
        return;
    }
    const std::uint32_t newest = frameStamps.back();
    // The segment ending at stamp 0 is never replayed: nothing was recorded before it.
    if (newest != 0 && framesSinceSnapshot > 0) {
        const std::uint32_t stepsDone = framesSinceSnapshot - (frameCounter - newest);
        const float t = static_cast<float>(stepsDone) / static_cast<float>(framesSinceSnapshot);
        for (Rewindable* r : rewindables) r->interpolate(t);
    }
    if (frameCounter == newest) {
        // Once the oldest stamps have rolled out, the oldest kept one is where replay ends.
        if (frameStamps.size() == 1) {
            stopRewind();
            return;
        }
        frameStamps.popBack();
        for (Rewindable* r : rewindables) r->startSegment(true);
        framesSinceSnapshot = static_cast<std::uint16_t>(frameCounter - frameStamps.back());
    }
    --frameCounter;
}

void Controller::handleInput(RewindKeys keys) {
    if (keys.pressed) startRewind();
    if (keys.released && rewinding) stopRewind();
}

void Controller::startRewind() {
    change.started = true;
    rewinding = true;
    for (Rewindable* r : rewindables) r->startSegment(false);
    framesSinceSnapshot = static_cast<std::uint16_t>(frameCounter - newestStamp());
}

void Controller::stopRewind() {
    change.stopped = true;
    rewinding = false;
    framesSinceSnapshot = 0;
    PhysicsWorld::instance()->haltAll();
    // Where the rewind stopped becomes the newest snapshot, unless one is already that close.
    if (frameCounter - newestStamp() > 1) takeSnapshot();
}

void Controller::takeSnapshot() {
    const bool dropOldest = frameStamps.size() >= kMaxSnapshots;
    if (dropOldest) frameStamps.popFront();
    frameStamps.pushBack(frameCounter);
    for (Rewindable* r : rewindables) r->record(dropOldest);
}

}  // namespace Rewind
