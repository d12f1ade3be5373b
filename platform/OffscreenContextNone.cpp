#include "platform/OffscreenContext.h"

namespace Platform {

bool OffscreenContext::create(int, int, int, int, bool) {
    return false;
}

bool OffscreenContext::attachFramebuffer() {
    return false;
}

// Nothing was ever made: everything stays empty.
void OffscreenContext::destroy() {
    display = context = nullptr;
    width = height = 0;
    framebuffer = colour = depth = 0;
}

}  // namespace Platform
