#include "platform/Signals.h"

#include "platform/CrashReport.h"
#include "platform/StopSignals.h"

namespace Platform::Signals {

void install() {
    StopSignals::install();
    CrashReport::install();
}

void restore() {
    StopSignals::restore();
    CrashReport::restore();
}

}  // namespace Platform::Signals
