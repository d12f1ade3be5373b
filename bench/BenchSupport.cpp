#include "bench/BenchSupport.h"

#include <GL/glew.h>
#include <benchmark/benchmark.h>

#include <cstdio>

#include "core/WindowSize.h"
#include "platform/FakePlatform.h"

namespace {

bool openBenchContext() {
    Platform::Fake::useRealContext(true);
    if (!Platform::init()) return false;
    Platform::openWindowHint(Platform::Hint::OpenGlVersionMajor, 4);
    Platform::openWindowHint(Platform::Hint::OpenGlVersionMinor, 2);
    Platform::openWindowHint(Platform::Hint::OpenGlProfile, Platform::kOpenGlCoreProfile);
    if (!Platform::openWindow(Core::kWindowWidth, Core::kWindowHeight, 32)) {
        return false;
    }
    glewExperimental = GL_TRUE;
    return glewInit() == GLEW_OK;
}

}  // namespace

int runBenchmarks(int argc, char** argv) {
    if (!openBenchContext()) {
        std::fprintf(stderr, "needs an X display with OpenGL 4.2 (run under Xvfb)\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
