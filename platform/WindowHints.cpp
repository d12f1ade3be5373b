#include "platform/WindowHints.h"

namespace Platform {

void applyHint(WindowHints& hints, Hint hint, int value) {
    switch (hint) {
        case Hint::FsaaSamples:
            hints.samples = value;
            break;
        case Hint::OpenGlVersionMajor:
            hints.versionMajor = value;
            break;
        case Hint::OpenGlVersionMinor:
            hints.versionMinor = value;
            break;
        case Hint::OpenGlProfile:
            hints.coreProfile = value == kOpenGlCoreProfile;
            break;
    }
}

}  // namespace Platform
