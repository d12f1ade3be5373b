#include "platform/FramePacer.h"

namespace Platform {

FramePacer::FramePacer(double refreshHz)
    : periodSeconds(1.0 / (refreshHz > 0.0 ? refreshHz : kDefaultRefreshHz)) {}

double FramePacer::nextFrameStart(double now) {
    if (!capping) {
        const bool tooSoon = started && now - frameStart < kUnpacedShare * periodSeconds;
        started = true;
        frameStart = now;
        if (!tooSoon) return now;
        capping = true;
        deadline = now;
    }
    deadline += periodSeconds;
    // A late frame moves the schedule instead of rushing the following ones to catch up.
    if (deadline < now) deadline = now;
    return deadline;
}

}  // namespace Platform
