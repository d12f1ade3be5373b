#pragma once

#include <glm/glm.hpp>

#include "rewind/LastPos.h"
#include "rewind/RingBuffer.h"

namespace Geo {
class GeoObjTextured;
}

namespace Rewind {

// The recorded positions of one object, oldest first, and the replay segment it is moved along.
// Positions only: velocity and sleep state are neither recorded nor restored.
class Rewindable {
public:
    // Registers with the Rewind::Controller; the destructor unregisters.
    Rewindable();
    ~Rewindable();
    Rewindable(const Rewindable&) = delete;
    Rewindable& operator=(const Rewindable&) = delete;

    void setOwner(Geo::GeoObjTextured* object) { owner = object; }
    void record(bool dropOldest);
    // Starts replaying from where the owner stands towards the newest entry, after dropping the
    // newest when asked. The last remaining entry is never dropped.
    void startSegment(bool dropNewest);
    // 0 leaves the owner at the segment's start, 1 puts it on the recorded position.
    void interpolate(float t);

    const RingBuffer<LastPos>& getHistory() const { return history; }

private:
    RingBuffer<LastPos> history;
    Geo::GeoObjTextured* owner = nullptr;
    glm::vec3 segmentStart{0.0f};
    glm::vec3 segmentEnd{0.0f};
};

}  // namespace Rewind
