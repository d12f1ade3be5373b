#pragma once

// rewind/: position histories and the rewind state machine. May include: objects, physics, core.

#include <cstdint>
#include <vector>

#include "rewind/RingBuffer.h"

namespace Rewind {

class Rewindable;

// The Spacebar's edges since the previous simulation step.
struct RewindKeys {
    bool pressed = false;
    bool released = false;
};

// What one update did to the rewind; the scene follows it with the music (reversed while
// rewinding). Both are set when a rewind started and stopped in the same update.
struct RewindChange {
    bool started = false;
    bool stopped = false;
};

// Records every rewindable's position every sixth forward step and, while the Spacebar is held,
// replays them backwards one recorded step per simulation step.
class Controller {
public:
    static constexpr std::uint16_t kSnapshotInterval = 6;
    static constexpr std::size_t kMaxSnapshots = 1200;

    static Controller* instance();

    Controller();

    void registerRewindable(Rewindable* r);
    void unregisterRewindable(Rewindable* r);
    // All of them in one pass over the list, for a scene that goes as a whole.
    void unregisterRewindables(const std::vector<Rewindable*>& leaving);
    // Once per simulation step, before anything else of the scene's step.
    RewindChange update(RewindKeys keys);
    bool isRewinding() const { return rewinding; }
    void takeSnapshot();

    void handleInput(RewindKeys keys);
    void startRewind();
    void stopRewind();

    // The timeline counts simulation steps; the names say frames, as they did when each displayed
    // frame was one step.
    std::uint32_t getFrameCounter() const { return frameCounter; }
    std::uint16_t getFramesSinceSnapshot() const { return framesSinceSnapshot; }
    const RingBuffer<std::uint32_t>& getFrameStamps() const { return frameStamps; }

private:
    void rewindOneStep();
    // The start of the timeline when nothing is recorded.
    std::uint32_t newestStamp() const;

    std::vector<Rewindable*> rewindables;
    RingBuffer<std::uint32_t> frameStamps;
    bool rewinding = false;
    // Unsigned arithmetic throughout: the segment lengths below are differences of stamps.
    // Position on the timeline in steps: +1 per forward step, -1 per rewound step.
    std::uint32_t frameCounter = 0;
    // Going forward: steps since the last periodic snapshot; rewinding: the length in steps of the
    // segment being replayed.
    std::uint16_t framesSinceSnapshot = 0;
    // What the update in progress did, returned at its end.
    RewindChange change;
};

}  // namespace Rewind
