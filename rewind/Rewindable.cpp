#include "rewind/Rewindable.h"

#include "objects/GeoObjTextured.h"
#include "rewind/Controller.h"

namespace Rewind {

Rewindable::Rewindable() : history(Controller::kMaxSnapshots) {
    Controller::instance()->registerRewindable(this);
}

void Rewindable::record(bool dropOldest) {
    if (dropOldest) history.popFront();
    const glm::vec3 p = owner->getPosition();
    history.pushBack(LastPos(p.x, p.y, p.z));
}

void Rewindable::startSegment(bool dropNewest) {
    if (history.size() < 2) return;
    if (dropNewest) history.popBack();
    segmentStart = owner->getPosition();
    segmentEnd = history.back().toVec3();
}

void Rewindable::interpolate(float t) {
    owner->setPosition(glm::mix(segmentStart, segmentEnd, t));
}

}  // namespace Rewind
