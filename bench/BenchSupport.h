#pragma once

#include "tools/alloc/AllocationCounter.h"

// Opens a hidden window with a real OpenGL context (objects create GL names when built), then runs
// the registered benchmarks. Returns the process status.
int runBenchmarks(int argc, char** argv);
