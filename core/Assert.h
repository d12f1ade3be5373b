#pragma once

// Preconditions as checks, on wherever the build defines KELVARIN_ASSERTS (Debug, RelWithDebInfo,
// the sanitizers'): RelWithDebInfo defines NDEBUG, which turns the standard assert off.

#include <cstdio>
#include <cstdlib>

namespace Core {

[[noreturn]] inline void failAssertion(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: precondition failed: %s\n", file, line, condition);
    std::abort();
}

}  // namespace Core

#ifdef KELVARIN_ASSERTS
#define KELVARIN_ASSERT(condition) \
    ((condition) ? static_cast<void>(0) : ::Core::failAssertion(#condition, __FILE__, __LINE__))
#else
#define KELVARIN_ASSERT(condition) static_cast<void>(0)
#endif
