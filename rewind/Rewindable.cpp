#include "rewind/Rewindable.h"

#include "core/Assert.h"
#include "objects/GeoObjTextured.h"
#include "rewind/Controller.h"

namespace Rewind {

Rewindable::Rewindable() : history(Controller::kMaxSnapshots) {
    Controller::instance()->registerRewindable(this);
}

Rewindable::~Rewindable() {
    Controller::instance()->unregisterRewindable(this);
}

void Rewindable::record(bool dropOldest) {
    KELVARIN_ASSERT(owner);
    if (dropOldest) history.popFront();
    const glm::vec3 p = owner->getPosition();
    history.pushBack(LastPos(p.x, p.y, p.z));
}

void Rewindable::startSegment(bool dropNewest) {
    KELVARIN_ASSERT(owner);
    // Every segment starts where the owner stands, also when the history is down to its last
    // entry: a start left over from an earlier rewind would make the first step jump there.
    segmentStart = owner->getPosition();
    if (dropNewest && history.size() >= 2) history.popBack();
    segmentEnd = history.empty() ? segmentStart : history.back().toVec3();
}

void Rewindable::interpolate(float t) {
    KELVARIN_ASSERT(owner);
    owner->setPosition(glm::mix(segmentStart, segmentEnd, t));
}

}  // namespace Rewind
