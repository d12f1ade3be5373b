#include "bench/BenchSupport.h"

#include <GL/glew.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "platform/FakePlatform.h"

namespace {
std::atomic<std::size_t> allocations{0};
}

std::size_t heapAllocations() {
    return allocations.load();
}

void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

bool openBenchContext() {
    Platform::Fake::useRealContext(true);
    if (!Platform::init()) return false;
    Platform::openWindowHint(Platform::Hint::OpenGlVersionMajor, 4);
    Platform::openWindowHint(Platform::Hint::OpenGlVersionMinor, 2);
    Platform::openWindowHint(Platform::Hint::OpenGlProfile, Platform::kOpenGlCoreProfile);
    if (!Platform::openWindow(1024, 768, 0, 0, 0, 0, 32, 0, Platform::WindowMode::Windowed))
        return false;
    glewExperimental = GL_TRUE;
    return glewInit() == GLEW_OK;
}
