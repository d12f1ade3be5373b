#include "platform/OffscreenContext.h"

namespace Platform {

struct OffscreenContext::Parts {};

OffscreenContext::OffscreenContext() = default;
OffscreenContext::~OffscreenContext() = default;
OffscreenContext::OffscreenContext(OffscreenContext&&) noexcept = default;
OffscreenContext& OffscreenContext::operator=(OffscreenContext&&) noexcept = default;

bool OffscreenContext::create(int, int, int, int, int, bool) {
    return false;
}

bool OffscreenContext::attachFramebuffer() {
    return false;
}

void OffscreenContext::destroy() {}

bool OffscreenContext::isCurrent() const {
    return false;
}

}  // namespace Platform
