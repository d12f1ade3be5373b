#pragma once

#include <cstddef>

// Heap allocations made since start-up: the benchmarks replace the global operator new to count.
std::size_t heapAllocations();

// A hidden window with a real OpenGL context, for objects that create GL names when built.
bool openBenchContext();
